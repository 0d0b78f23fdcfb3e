#include "engine/settings_keys.h"
#include "menu_bar/menu_bar_active_view.h"
#include "menu_bar/menu_bar_idle_view.h"
#include "menu_bar/menu_bar_toggles.h"
#include "menu_bar/panel_rig.h"
#include "menu_bar/schedule_card.h"
#include "support/pixels.h"

#include <QLocale>

using namespace velorinth;

namespace {

// Laid out and painted at its own size, every animation at its end.
QImage shown(QWidget *view, int width = 280)
{
    view->resize(width, view->sizeHint().height());
    view->show();
    settle(view);
    return view->grab().toImage();
}

} // namespace

class tst_MenuBarSessionViews : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void presetsSetTheLengthAndStart_data();
    void presetsSetTheLengthAndStart();
    void adjustingAndTheUrgentLook_data();
    void adjustingAndTheUrgentLook();
    void progress_data();
    void progress();
    void progressBar();
    void countdownWakesOneClock();
    void clockText_data();
    void clockText();
    void togglesFollowTheModel();
    void tilesSwitchTheirOptionBothWays_data();
    void tilesSwitchTheirOptionBothWays();
};

void tst_MenuBarSessionViews::presetsSetTheLengthAndStart_data()
{
    QTest::addColumn<int>("minutes");
    for (const int minutes : {15, 30, 60, 90})
        QTest::addRow("%d min", minutes) << minutes;
}

void tst_MenuBarSessionViews::presetsSetTheLengthAndStart()
{
    QFETCH(int, minutes);
    PanelRig rig;
    MenuBarIdleView idle(rig.manager());
    shown(&idle);
    press(&idle, QStringLiteral("%1 minutes").arg(minutes));
    QCOMPARE(rig.manager().sessionDuration(), minutes * 60.0);
    QCOMPARE(rig.engine.fakes.defaults->values.value(SettingsKeys::sessionDuration).toDouble(),
             minutes * 60.0);
    QVERIFY(rig.manager().isActive());
    QCOMPARE(rig.manager().timeRemaining(), minutes * 60.0);
}

void tst_MenuBarSessionViews::adjustingAndTheUrgentLook_data()
{
    QTest::addColumn<double>("remaining"); // of a ten-minute session
    QTest::addColumn<QString>("button"); // empty: none pressed
    QTest::addColumn<double>("after");
    QTest::addColumn<bool>("urgent");
    QTest::newRow("300 s: urgent") << 300.0 << QString() << 300.0 << true;
    QTest::newRow("301 s: not yet") << 301.0 << QString() << 301.0 << false;
    QTest::newRow("+10m at 200 s: urgent no more")
        << 200.0 << QStringLiteral("Ajouter 10 minutes") << 800.0 << false;
    QTest::newRow("\u22125m at 3 min: the engine keeps 10 s")
        << 180.0 << QStringLiteral("Retirer 5 minutes") << 10.0 << true;
}

void tst_MenuBarSessionViews::adjustingAndTheUrgentLook()
{
    QFETCH(double, remaining);
    QFETCH(QString, button);
    QFETCH(double, after);
    QFETCH(bool, urgent);
    PanelRig rig;
    rig.runSession(600, remaining);
    MenuBarActiveView running(rig.manager(), [] {});
    shown(&running);
    if (!button.isEmpty())
        press(&running, button);
    QCOMPARE(rig.manager().timeRemaining(), after);
    QCOMPARE(rig.manager().isUrgent(), urgent);
    const QImage image = shown(&running);
    // The caption and time right of the ring turn pink; the moon inside it is blue only
    // while there is time.
    QCOMPARE(countPixels(image, QRectF(86, 0, 178, 52), isPink) > 30, urgent);
    QCOMPARE(countPixels(image, QRectF(32, 16, 20, 20), isBlue) > 10, !urgent);
}

void tst_MenuBarSessionViews::progress_data()
{
    QTest::addColumn<double>("remaining");
    QTest::addColumn<double>("total");
    QTest::addColumn<double>("progress");
    QTest::newRow("150 of 600") << 150.0 << 600.0 << 0.25;
    QTest::newRow("no length: empty") << 150.0 << 0.0 << 0.0;
    QTest::newRow("a negative length: empty") << 150.0 << -5.0 << 0.0;
}

void tst_MenuBarSessionViews::progress()
{
    QFETCH(double, remaining);
    QFETCH(double, total);
    QFETCH(double, progress);
    QCOMPARE(MenuBarActiveView::progress(remaining, total), progress);
}

void tst_MenuBarSessionViews::progressBar()
{
    PanelRig rig;
    rig.runSession(600, 150);
    MenuBarActiveView running(rig.manager(), [] {});
    const QImage image = shown(&running);
    const auto tinted = [](QColor c) { return c.hsvSaturation() > 120 && c.value() > 120; };
    // A quarter of the 248-point track: 62 points from its left end.
    const qreal barTop = 52 + 14;
    QCOMPARE(countPixels(image, QRectF(17, barTop + 1, 60, 1), tinted),
             qRound(60 * image.devicePixelRatio() * image.devicePixelRatio()));
    QCOMPARE(countPixels(image, QRectF(16 + 64, barTop, 180, 3), tinted), 0);
    // The ring's quarter from 12 o'clock to 3: there at 1:30, not at 4:30 or 7:30.
    const auto ringAt = [&](qreal degrees) {
        const qreal radians = qDegreesToRadians(degrees);
        const QPointF at =
            QPointF(16 + 26, 26) + 26 * QPointF(std::sin(radians), -std::cos(radians));
        return countPixels(image, QRectF(at - QPointF(1, 1), QSizeF(2, 2)), tinted);
    };
    QVERIFY(ringAt(45) > 0);
    QCOMPARE(ringAt(135) + ringAt(225), 0);
}

// The ring and the bar show one fraction: one glide, one clock to wake.
void tst_MenuBarSessionViews::countdownWakesOneClock()
{
    PanelRig rig;
    rig.runSession(600, 450);
    MenuBarActiveView running(rig.manager(), [] {});
    shown(&running);
    rig.engine.advance(1);
    const QStringList clocks = runningAnimations(&running).filter(QStringLiteral("FrameClock"));
    QCOMPARE(clocks, QStringList(QStringLiteral("velorinth::FrameClock in velorinth::Glide")));
}

void tst_MenuBarSessionViews::clockText_data()
{
    QTest::addColumn<QString>("time");
    QTest::addColumn<QString>("shown");
    QTest::newRow("morning") << QStringLiteral("2026-01-15T07:05:00") << QStringLiteral("07:05");
    QTest::newRow("evening") << QStringLiteral("2026-01-15T19:05:00") << QStringLiteral("19:05");
}

void tst_MenuBarSessionViews::clockText()
{
    QFETCH(QString, time);
    QFETCH(QString, shown);
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); // 12-hour clock
    QCOMPARE(ScheduleCard::clockText(paris(time)), shown);
    QCOMPARE(ScheduleCard::clockText(paris(time).toUTC()), shown);
    QLocale::setDefault(before);
}

void tst_MenuBarSessionViews::togglesFollowTheModel()
{
    PanelRig rig;
    MenuBarToggles toggles(rig.manager());
    const QRectF volumeTile(0, 0, 248 / 3.0, toggles.sizeHint().height());
    QImage image = shown(&toggles, 248);
    QCOMPARE(countPixels(image, volumeTile, isBlue), 0);
    rig.manager().setFadeOutEnabled(true); // from the main window
    image = shown(&toggles, 248);
    QVERIFY(countPixels(image, volumeTile, isBlue) > 10);
    // The LED option without its helper: the tile stays off and the prompt rises.
    press(&toggles, QStringLiteral("LED"));
    QVERIFY(!rig.manager().isLEDOff());
    QVERIFY(rig.manager().showBattInstallPrompt());
}

void tst_MenuBarSessionViews::tilesSwitchTheirOptionBothWays_data()
{
    QTest::addColumn<QString>("tile");
    QTest::addColumn<int>("place"); // from the left
    QTest::addColumn<QString>("option");
    QTest::addColumn<bool>("before");
    QTest::newRow("Volume on") << "Volume" << 0 << SettingsKeys::isFadeOutEnabled << false;
    QTest::newRow("Volume off") << "Volume" << 0 << SettingsKeys::isFadeOutEnabled << true;
    QTest::newRow("Écran on") << "Écran" << 1 << SettingsKeys::isScreenDimmingEnabled << false;
    QTest::newRow("Écran off") << "Écran" << 1 << SettingsKeys::isScreenDimmingEnabled << true;
}

void tst_MenuBarSessionViews::tilesSwitchTheirOptionBothWays()
{
    QFETCH(QString, tile);
    QFETCH(int, place);
    QFETCH(QString, option);
    QFETCH(bool, before);
    PanelRig rig({{option, before}});
    MenuBarToggles toggles(rig.manager());
    const qreal width = 248 / 3.0;
    const QRectF area(place * width, 0, width, toggles.sizeHint().height());
    // Lit in the option's own colour.
    const auto lit = [&] {
        return countPixels(shown(&toggles, 248), area, place == 0 ? isBlue : isPurple) > 10;
    };
    QCOMPARE(lit(), before);

    press(&toggles, tile);
    QCOMPARE(rig.manager().property(qPrintable(option)).toBool(), !before);
    QCOMPARE(rig.engine.fakes.defaults->values.value(option).toBool(), !before);
    QCOMPARE(lit(), !before);
}

VELORINTH_TEST_APP_MAIN_IN_PARIS(QApplication, tst_MenuBarSessionViews)
#include "tst_menu_bar_session_views.moc"
