#include "e2e/panel_cases.h"

#include "e2e/app_from_outside.h"
#include "support/other_application.h"

#include <QElapsedTimer>
#include <QtTest>

#include <memory>

namespace velorinth::PanelCases {

namespace {

// Where the tests press the main window: its background, clear of every control.
constexpr QPoint kWindowBackground(24, 24);
constexpr QPoint kDrag(40, 30);

bool panelShown(const QProcess &app)
{
    return windowOf(app, isPanel).id != 0;
}

// As a hand drags: the button held, the pointer going there in small steps.
void dragBy(QPoint from, QPoint by)
{
    constexpr int kSteps = 10;
    QStringList hand{"mousemove",
                     QString::number(from.x()),
                     QString::number(from.y()),
                     "mousedown",
                     "1",
                     "sleep",
                     "0.2"};
    for (int step = 1; step <= kSteps; ++step) {
        const QPoint to = from + by * step / kSteps;
        hand << "mousemove" << QString::number(to.x()) << QString::number(to.y()) << "sleep"
             << "0.02";
    }
    run("xdotool",
        hand << "sleep"
             << "0.2"
             << "mouseup"
             << "1");
}

} // namespace

void windowTakesItsPresses(const QProcess &app, QPoint icon)
{
    QTRY_VERIFY_WITH_TIMEOUT(launched(app), kWaitMs);
    click(icon);
    QTRY_VERIFY_WITH_TIMEOUT(panelShown(app), kWaitMs);
    click(shownPanel(windowOf(app, isPanel)).center() + kOpenWindowButton);
    const QPoint before = windowOf(app, isMainWindow).frame.topLeft();

    dragBy(before + kWindowBackground, kDrag);

    QTRY_COMPARE_WITH_TIMEOUT(windowOf(app, isMainWindow).frame.topLeft(), before + kDrag, kWaitMs);
    QTest::qWait(3000);
    QVERIFY(panelShown(app));
}

void addPlacesElsewhere()
{
    QTest::addColumn<QString>("place");

    QTest::newRow("another application's window") << "application";
    QTest::newRow("the desktop") << "desktop";
    QTest::newRow("the other monitor") << "other monitor";
}

void closesOnAPressElsewhere(const QProcess &app, QPoint icon)
{
    QFETCH(QString, place);
    std::unique_ptr<OtherApplication> other;
    if (place == "application") {
        other = std::make_unique<OtherApplication>();
        QVERIFY(other->isShown());
    }
    click(icon);
    QTRY_VERIFY_WITH_TIMEOUT(panelShown(app), kWaitMs);

    click(other                    ? OtherApplication::spot()
              : place == "desktop" ? QPoint(1000, 700)
                                   : QPoint(1900, 700));

    QTRY_VERIFY_WITH_TIMEOUT(!panelShown(app), 1000);
}

void addClickGaps()
{
    QTest::addColumn<int>("gapMs");

    QTest::newRow("a second apart") << 1000;
    QTest::newRow("0.3 s apart") << 300;
}

void iconToggles(const QProcess &app, QPoint icon, int clicks)
{
    QFETCH(int, gapMs);
    for (int click = 0; click < clicks; ++click) {
        QElapsedTimer sinceClick;
        sinceClick.start();
        clickByHand(icon);
        QTRY_COMPARE_WITH_TIMEOUT(panelShown(app), click % 2 == 0, kWaitMs);
        QTest::qWait(std::max(0, gapMs - int(sinceClick.elapsed())));
    }
    QTest::qWait(500); // no late click reopens or closes it
    QCOMPARE(panelShown(app), clicks % 2 == 1);
}

} // namespace velorinth::PanelCases
