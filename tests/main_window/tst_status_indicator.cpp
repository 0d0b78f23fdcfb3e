#include "main_window/controls/status_indicator.h"

#include "main_window/control_testing.h"
#include "support/animation_time.h"

#include <QtTest>

using namespace velorinth;

namespace {
class PressRecorder : public QWidget
{
public:
    int presses = 0;

protected:
    void mousePressEvent(QMouseEvent *) override { ++presses; }
};

// How blue the symbol is: 0 off, about 200 on.
int blueness(StatusIndicator &indicator)
{
    const QImage image = indicator.grab().toImage();
    int most = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            most = std::max(most, c.blue() - c.red());
        }
    }
    return most;
}
} // namespace

class tst_StatusIndicator : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void clicksGoThroughToWhatIsBehind();
    void followsTheAnimationOfTheChange_data();
    void followsTheAnimationOfTheChange();
    void unchangedOptionDoesNotRepaint();
};

void tst_StatusIndicator::clicksGoThroughToWhatIsBehind()
{
    PressRecorder screen;
    auto *indicator = new StatusIndicator(true, QStringLiteral("sun.min.fill"), &screen);
    indicator->setGeometry(QRect(QPoint(10, 10), indicator->sizeHint()));
    screen.resize(100, 100);
    screen.show();
    QVERIFY(QTest::qWaitForWindowExposed(&screen));
    QTest::mouseClick(&screen, Qt::LeftButton, {}, indicator->geometry().center());
    QCOMPARE(screen.presses, 1);
    QVERIFY(indicator->isOn());
}

void tst_StatusIndicator::followsTheAnimationOfTheChange_data()
{
    QTest::addColumn<bool>("insideAnimatedChange");
    QTest::addColumn<double>("lowest"); // of the full blue, half a second later
    QTest::addColumn<double>("highest");
    QTest::newRow("inside an animated change: half way at half time") << true << 0.2 << 0.8;
    QTest::newRow("outside any: there at once") << false << 0.95 << 1.05;
}

void tst_StatusIndicator::followsTheAnimationOfTheChange()
{
    QFETCH(bool, insideAnimatedChange);
    QFETCH(double, lowest);
    QFETCH(double, highest);
    StatusIndicator on(true, QStringLiteral("lightbulb.slash"));
    StatusIndicator indicator(false, QStringLiteral("lightbulb.slash"));
    putOnBlack(&on);
    putOnBlack(&indicator);
    const double full = blueness(on);
    QVERIFY(blueness(indicator) < full * 0.05);

    if (insideAnimatedChange)
        animated(Animation::linear(1.0), [&] { indicator.setOn(true); });
    else
        indicator.setOn(true);
    setAnimationTimes(&indicator, 500);
    const double shown = blueness(indicator) / full;
    QVERIFY2(shown >= lowest && shown <= highest, qPrintable(QString::number(shown)));
}

void tst_StatusIndicator::unchangedOptionDoesNotRepaint()
{
    PaintCounter<StatusIndicator> indicator(false, QStringLiteral("lightbulb.slash"));
    indicator.show();
    QVERIFY(QTest::qWaitForWindowExposed(&indicator));
    QCoreApplication::processEvents();
    indicator.paints = 0;
    indicator.setOn(false);
    QCoreApplication::processEvents();
    QCOMPARE(indicator.paints, 0);
}

QTEST_MAIN(tst_StatusIndicator)
#include "tst_status_indicator.moc"
