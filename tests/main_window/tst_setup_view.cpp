#include "main_window/setup_view.h"

#include "design/transition_host.h"
#include "main_window/control_testing.h"
#include "main_window/controls/adjust_button.h"
#include "main_window/controls/mode_tab_button.h"
#include "main_window/controls/quick_action_chip.h"
#include "main_window/duration_section.h"
#include "main_window/rolling_label.h"
#include "main_window/schedule_section.h"
#include "main_window/screen_rig.h"
#include "support/animation_time.h"

#include <QtTest>

using namespace velorinth;

namespace {

void clickFrame(QWidget *control)
{
    click(control, QRectF(control->contentsRect()).center());
}

} // namespace

class tst_SetupView : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void durationButtonsAndChips_data();
    void durationButtonsAndChips();
    void numberRollsWithoutAnAnimationToo();
    void tabsSwapTheSections();
};

void tst_SetupView::durationButtonsAndChips_data()
{
    QTest::addColumn<double>("seconds");
    QTest::addColumn<QString>("control"); // a chip's label, "minus", "plus" or "" for none
    QTest::addColumn<double>("expected");
    QTest::addColumn<QString>("shown");
    QTest::newRow("stored 30 minutes") << 1800.0 << "" << 1800.0 << "30";
    QTest::newRow("12 minus 15 stops at 5") << 720.0 << "-15" << 300.0 << "5";
    QTest::newRow("150 plus 60 stops at 180") << 9000.0 << "+60" << 10800.0 << "180";
    QTest::newRow("47.3 shows 47, plus 15 shows 62") << 2838.0 << "+15" << 3738.0 << "62";
    QTest::newRow("29.6 shows 29") << 1776.0 << "" << 1776.0 << "29";
    QTest::newRow("+30") << 1800.0 << "+30" << 3600.0 << "60";
    QTest::newRow("minus at 5 leaves 5") << 300.0 << "minus" << 300.0 << "5";
    QTest::newRow("plus at 180 leaves 180") << 10800.0 << "plus" << 10800.0 << "180";
}

void tst_SetupView::durationButtonsAndChips()
{
    QFETCH(double, seconds);
    QFETCH(QString, control);
    QFETCH(double, expected);
    QFETCH(QString, shown);
    ScreenRig<SetupView> rig({{SettingsKeys::sessionDuration, seconds}});
    const QStringList chips{"-15", "+15", "+30", "+60"};
    const auto buttons = rig.screen->findChildren<AdjustButton *>();
    if (chips.contains(control))
        clickFrame(rig.screen->findChildren<QuickActionChip *>().at(chips.indexOf(control)));
    else if (!control.isEmpty())
        clickFrame(buttons.at(control == "minus" ? 0 : 1));
    QCOMPARE(rig.engine.manager->sessionDuration(), expected);
    QCOMPARE(rig.screen->findChild<RollingLabel *>()->text(), shown);
}

void tst_SetupView::numberRollsWithoutAnAnimationToo()
{
    ScreenRig<SetupView> rig;
    rig.engine.manager->setSessionDuration(2400); // as a slider drag does
    QCOMPARE(rig.screen->findChild<RollingLabel *>()->text(), "40");
    QVERIFY(!runningAnimations(rig.screen->findChild<RollingLabel *>()).isEmpty());
}

void tst_SetupView::tabsSwapTheSections()
{
    ScreenRig<SetupView> rig;
    auto *host = rig.screen->findChild<TransitionHost *>();
    const auto tabs = rig.screen->findChildren<ModeTabButton *>();
    const auto shows = [&](QWidget *section) {
        setAnimationTimes(rig.screen.get(), 3000);
        return section->isVisible() && host->view() == section;
    };
    clickFrame(tabs.at(1));
    QVERIFY(rig.engine.manager->isScheduleEnabled());
    QVERIFY(host->isSwapping());
    QVERIFY(shows(rig.screen->findChild<ScheduleSection *>()));
    QVERIFY(tabs.at(1)->isSelected() && !tabs.at(0)->isSelected());

    rig.engine.manager->setScheduleEnabled(true); // announced again: nothing moves
    QVERIFY(!host->isSwapping());
    clickFrame(tabs.at(0));
    QVERIFY(shows(rig.screen->findChild<DurationSection *>()));
    QCOMPARE(rig.screen->findChild<RollingLabel *>()->text(), "30");
}

QTEST_MAIN(tst_SetupView)
#include "tst_setup_view.moc"
