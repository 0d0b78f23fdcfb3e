#include "main_window/active_view.h"

#include "design/progress_ring.h"
#include "main_window/control_testing.h"
#include "main_window/controls/adjust_button.h"
#include "main_window/controls/status_indicator.h"
#include "main_window/screen_rig.h"
#include "main_window/volume_bar.h"
#include "support/animation_time.h"

#include <QtTest>

using namespace velorinth;

class tst_ActiveView : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void ringShowsTheShareLeft();
    void hiddenScreenTakesANewSessionAtOnce();
    void barOnlyInTheFadeWindow_data();
    void barOnlyInTheFadeWindow();
    void barLook_data();
    void barLook();
    void indicatorsFollowChangesMadeElsewhere();
    void minusStopsAtTheEnginesFloor();
    void buttonsMoveTheEndByFiveMinutes_data();
    void buttonsMoveTheEndByFiveMinutes();
};

void tst_ActiveView::ringShowsTheShareLeft()
{
    ScreenRig<ActiveView> rig;
    rig.run(1800, 600);
    QCOMPARE(rig.screen->findChild<ProgressRing *>()->progress(), 1200.0 / 1800.0);
}

// The window pictures the screen before it swaps it in: it must not start from the last
// session's ring.
void tst_ActiveView::hiddenScreenTakesANewSessionAtOnce()
{
    ScreenRig<ActiveView> rig;
    rig.screen->hide();
    rig.run(1800);
    QCOMPARE(rig.screen->findChild<ProgressRing *>()->shownProgress(), 1.0);
}

void tst_ActiveView::barOnlyInTheFadeWindow_data()
{
    QTest::addColumn<bool>("fade");
    QTest::addColumn<double>("remaining");
    QTest::addColumn<bool>("shown");
    QTest::newRow("fade on, 901 s left") << true << 901.0 << false;
    QTest::newRow("fade on, 900 s left") << true << 900.0 << true;
    QTest::newRow("fade off, 900 s left") << false << 900.0 << false;
    QTest::newRow("fade off, 60 s left") << false << 60.0 << false;
}

void tst_ActiveView::barOnlyInTheFadeWindow()
{
    QFETCH(bool, fade);
    QFETCH(double, remaining);
    QFETCH(bool, shown);
    ScreenRig<ActiveView> rig({{SettingsKeys::isFadeOutEnabled, fade}});
    rig.run(1800, 1800 - remaining);
    setAnimationTimes(rig.screen.get(), 3000);
    QCOMPARE(rig.engine.manager->isFading(), shown);
    QCOMPARE(rig.screen->findChild<VolumeBar *>()->isVisible(), shown);
}

void tst_ActiveView::barLook_data()
{
    QTest::addColumn<int>("startVolume");
    QTest::addColumn<double>("remaining"); // of 900 s: the share of the volume left
    QTest::addColumn<double>("percent");
    QTest::addColumn<QColor>("colour");
    QTest::addColumn<int>("waves");
    QTest::newRow("50 of 100") << 100 << 450.0 << 0.5 << DesignSystem::Colors::applePurple << 2;
    QTest::newRow("20 of 100") << 100 << 180.0 << 0.2 << DesignSystem::Colors::applePink << 1;
    QTest::newRow("67 of 100") << 100 << 603.0 << 0.67 << DesignSystem::Colors::appleBlue << 3;
    QTest::newRow("66 of 100") << 100 << 594.0 << 0.66 << DesignSystem::Colors::appleBlue << 2;
    QTest::newRow("started muted") << 0 << 450.0 << 1.0 << DesignSystem::Colors::appleBlue << 3;
}

void tst_ActiveView::barLook()
{
    QFETCH(int, startVolume);
    QFETCH(double, remaining);
    QFETCH(double, percent);
    QFETCH(QColor, colour);
    QFETCH(int, waves);
    ScreenRig<ActiveView> rig({{SettingsKeys::isFadeOutEnabled, true}});
    rig.engine.fakes.volume->readable = startVolume;
    rig.run(remaining);
    QCOMPARE(rig.screen->volumePercent(), percent);
    const auto *bar = rig.screen->findChild<VolumeBar *>();
    QCOMPARE(bar->percent(), percent);
    QCOMPARE(VolumeBar::barColor(percent), colour);
    QCOMPARE(VolumeBar::speakerWaves(percent), waves);
}

void tst_ActiveView::indicatorsFollowChangesMadeElsewhere()
{
    ScreenRig<ActiveView> rig;
    rig.run(1800);
    const auto indicators = rig.screen->findChildren<StatusIndicator *>();
    QVERIFY(!indicators.at(1)->isOn());
    rig.engine.manager->setScreenDimmingEnabled(true); // from the panel, say
    QVERIFY(indicators.at(1)->isOn());
    QVERIFY(!indicators.at(0)->isOn() && !indicators.at(2)->isOn());
}

void tst_ActiveView::minusStopsAtTheEnginesFloor()
{
    ScreenRig<ActiveView> rig;
    rig.run(180);
    auto *minus = rig.screen->findChildren<AdjustButton *>().at(0);
    click(minus, QRectF(minus->contentsRect()).center());
    QCOMPARE(rig.engine.manager->timeRemaining(), 10.0);
}

void tst_ActiveView::buttonsMoveTheEndByFiveMinutes_data()
{
    QTest::addColumn<int>("button"); // 0 minus, 1 plus
    QTest::addColumn<double>("after"); // seconds left, of 600
    QTest::newRow("minus") << 0 << 300.0;
    QTest::newRow("plus") << 1 << 900.0;
}

void tst_ActiveView::buttonsMoveTheEndByFiveMinutes()
{
    QFETCH(int, button);
    ScreenRig<ActiveView> rig;
    rig.run(1800, 1200);
    auto *pressed = rig.screen->findChildren<AdjustButton *>().at(button);
    click(pressed, QRectF(pressed->contentsRect()).center());
    QTEST(rig.engine.manager->timeRemaining(), "after");
}

QTEST_MAIN(tst_ActiveView)
#include "tst_active_view.moc"
