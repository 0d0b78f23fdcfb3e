#include "sleep_manager_rig.h"
#include "support/local_time_lookups.h"

#include <QSignalSpy>

using namespace velorinth;

namespace {

const QVariantMap kFadeOn{{SettingsKeys::isFadeOutEnabled, true}};

// What the user does during a fading session, at a given time left.
struct FadeStep
{
    enum Kind { LowerTheSound, SwitchFadeOff, SwitchFadeOn, AddMinutes };
    Kind kind;
    double secondsLeft;
    double value = 0; // the level set by hand, or the minutes added
};

QVariantMap scheduledAt(QTime wall, QVariantMap extra = {})
{
    extra.insert(SettingsKeys::isScheduleEnabled, true);
    extra.insert(SettingsKeys::scheduledTime, QDateTime(QDate(2026, 1, 1), wall));
    return extra;
}

} // namespace

Q_DECLARE_METATYPE(QList<FadeStep>)

class tst_SleepManagerSession : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void fadeOverATenMinuteSession_data();
    void fadeOverATenMinuteSession();
    void stopRestoresTheRecordedVolumeOnce_data();
    void stopRestoresTheRecordedVolumeOnce();
    void fadeSwitchedOnDuringTheSession_data();
    void fadeSwitchedOnDuringTheSession();
    void fadeFollowsTheUserDown_data();
    void fadeFollowsTheUserDown();
    void dimmingFollowsTheLastFiveMinutes();
    void urgentAndFadingWindows_data();
    void urgentAndFadingWindows();
    void sleepIsIssuedOnceThenTheSessionStops();
    void failedSleepIsShown();
    void zeroLengthSessionSleepsAtOnce();
    void scheduledCountdownLastsOneMinute();
    void scheduleStartsOnEachDayOnce();
    void watcherStartsTheCountdown_data();
    void watcherStartsTheCountdown();
    void scheduleInTheRepeatedHourStartsOnce();
    void watcherReadsTheLocalTimeOnceASecond();
    void manualStartInScheduledMode_data();
    void manualStartInScheduledMode();
    void timeUntilSchedule_data();
    void timeUntilSchedule();
    void addTimeWhileIdle_data();
    void addTimeWhileIdle();
    void addTimeWhileRunning_data();
    void addTimeWhileRunning();
    void addingTimeFreezesTheFadeUntilTheWindow();
    void notificationLead_data();
    void notificationLead();
    void formattedTimeRemaining_data();
    void formattedTimeRemaining();
    void restartRecordsTheFadedVolume();
    void teardownStopsTheTickThenTheWatcher();
};

void tst_SleepManagerSession::fadeOverATenMinuteSession_data()
{
    QTest::addColumn<double>("elapsed");
    QTest::addColumn<qint64>("expectedLevel");

    QTest::newRow("at start: two thirds") << 0.0 << qint64(66);
    QTest::newRow("after 9 s") << 9.0 << qint64(65);
    QTest::newRow("half way") << 300.0 << qint64(33);
    QTest::newRow("last second") << 599.0 << qint64(0);
}

void tst_SleepManagerSession::fadeOverATenMinuteSession()
{
    QFETCH(double, elapsed);
    QFETCH(qint64, expectedLevel);
    SleepManagerRig rig("2026-06-10T23:00:00", kFadeOn);
    rig.manager->setSessionDuration(600);

    rig.manager->startTimer();
    rig.advance(elapsed);

    QCOMPARE(rig.manager->currentFadeVolume(), expectedLevel);
    QCOMPARE(rig.fakes.volume->writes.last(), int(expectedLevel));
    // Each level is written once: no write repeats the one before it.
    const QList<int> writes = rig.fakes.volume->writes;
    for (qsizetype i = 1; i < writes.size(); ++i)
        QVERIFY(writes[i] < writes[i - 1]);
    // The level is read at the start and before each write, never on a tick that writes nothing.
    QCOMPARE(rig.fakes.volume->reads, writes.size() + 1);
}

void tst_SleepManagerSession::stopRestoresTheRecordedVolumeOnce_data()
{
    QTest::addColumn<double>("elapsed");

    QTest::newRow("before the fade window") << 10.0;
    QTest::newRow("during the fade") << 1500.0;
    QTest::newRow("after the sleep") << 1800.5;
}

void tst_SleepManagerSession::stopRestoresTheRecordedVolumeOnce()
{
    QFETCH(double, elapsed);
    SleepManagerRig rig("2026-06-10T23:00:00", kFadeOn);
    rig.fakes.volume->readable = 70;
    rig.manager->startTimer();
    QCOMPARE(rig.fakes.defaults->values.value(SettingsKeys::savedVolume).toInt(), 70);
    QCOMPARE(rig.fakes.defaults->values.value(SettingsKeys::fadeInProgress).toBool(), true);

    rig.advance(elapsed);
    rig.manager->stopTimer();

    QCOMPARE(rig.fakes.volume->readable, 70);
    QCOMPARE(rig.manager->currentFadeVolume(), 70);
    QVERIFY(!rig.fakes.defaults->values.contains(SettingsKeys::savedVolume));
    QVERIFY(!rig.fakes.defaults->values.contains(SettingsKeys::fadeInProgress));

    rig.fakes.volume->readable = 12; // the user turns it down later
    rig.manager->stopTimer(); // a late confirmation of a stop dialog
    QCOMPARE(rig.fakes.volume->readable, 12);
}

void tst_SleepManagerSession::fadeSwitchedOnDuringTheSession_data()
{
    QTest::addColumn<int>("earlierSessionLevel"); // 0: no earlier fading session
    QTest::addColumn<double>("switchedOnAt"); // seconds into a 30-minute session
    QTest::addColumn<double>("stoppedAt");

    QTest::newRow("15 min left") << 0 << 900.0 << 1500.0;
    QTest::newRow("15 min left, earlier session at 40") << 40 << 900.0 << 1500.0;
    QTest::newRow("in the last 5 min") << 0 << 1600.0 << 1700.0;
    QTest::newRow("up to the sleep") << 0 << 1000.0 << 1800.5;
    QTest::newRow("just before the stop") << 0 << 1000.0 << 1000.0;
    QTest::newRow("just before the stop, earlier session at 40") << 40 << 1000.0 << 1000.0;
}

void tst_SleepManagerSession::fadeSwitchedOnDuringTheSession()
{
    QFETCH(int, earlierSessionLevel);
    QFETCH(double, switchedOnAt);
    QFETCH(double, stoppedAt);
    constexpr int kUserLevel = 80;
    SleepManagerRig rig("2026-06-10T23:00:00");
    if (earlierSessionLevel > 0) {
        rig.fakes.volume->readable = earlierSessionLevel;
        rig.manager->setFadeOutEnabled(true);
        rig.manager->startTimer();
        rig.manager->stopTimer();
        rig.manager->setFadeOutEnabled(false);
    }
    rig.fakes.volume->readable = kUserLevel;
    rig.fakes.volume->writes.clear();
    rig.manager->startTimer();

    rig.advance(switchedOnAt);
    rig.manager->setFadeOutEnabled(true);
    rig.advance(stoppedAt - switchedOnAt);
    const bool ticked = stoppedAt > switchedOnAt;
    if (ticked && rig.manager->isActive()) {
        QCOMPARE(rig.fakes.defaults->values.value(SettingsKeys::savedVolume).toInt(), kUserLevel);
        QCOMPARE(rig.fakes.defaults->values.value(SettingsKeys::fadeInProgress).toBool(), true);
        QVERIFY(rig.fakes.volume->readable < kUserLevel); // the fade has begun
    }
    rig.manager->stopTimer();

    for (const int level : std::as_const(rig.fakes.volume->writes))
        QVERIFY2(level <= kUserLevel, qPrintable(QString::number(level)));
    QCOMPARE(rig.fakes.volume->readable, kUserLevel);
    QCOMPARE(rig.fakes.volume->writes.isEmpty(), !ticked);
}

void tst_SleepManagerSession::fadeFollowsTheUserDown_data()
{
    QTest::addColumn<QList<FadeStep>>("steps"); // in a 15-minute session fading from 80
    QTest::addColumn<double>("checkedAt"); // seconds left
    QTest::addColumn<int>("expectedLevel");

    using S = FadeStep;
    QTest::newRow("lowered to 20 at 800 s: 10 at 400 s")
        << QList<S>{{S::LowerTheSound, 800, 20}} << 400.0 << 10;
    QTest::newRow("fade off, lowered to 20, fade on at 700 s")
        << QList<S>{{S::SwitchFadeOff, 800}, {S::LowerTheSound, 800, 20}, {S::SwitchFadeOn, 700}}
        << 350.0 << 10;
    QTest::newRow("lowered to 0") << QList<S>{{S::LowerTheSound, 800, 0}} << 400.0 << 0;
    QTest::newRow("lowered twice")
        << QList<S>{{S::LowerTheSound, 800, 20}, {S::LowerTheSound, 600, 6}} << 300.0 << 3;
    QTest::newRow("minutes added: frozen, then up to the formula")
        << QList<S>{{S::AddMinutes, 450, 10}} << 900.0 << 80;
    QTest::newRow("lowered, minutes added: up to the user's level only")
        << QList<S>{{S::LowerTheSound, 800, 20}, {S::AddMinutes, 600, 10}} << 900.0 << 20;
    QTest::newRow("lowered while added minutes hold the fade")
        << QList<S>{{S::AddMinutes, 900, 5}, {S::LowerTheSound, 1000, 30}} << 450.0 << 15;
}

void tst_SleepManagerSession::fadeFollowsTheUserDown()
{
    QFETCH(QList<FadeStep>, steps);
    QFETCH(double, checkedAt);
    QFETCH(int, expectedLevel);
    SleepManagerRig rig("2026-06-10T23:00:00", kFadeOn);
    rig.fakes.volume->readable = 80;
    rig.manager->setSessionDuration(900);
    rig.manager->startTimer();
    const auto advanceTo = [&](double secondsLeft) {
        rig.advance(rig.manager->timeRemaining() - secondsLeft);
    };
    int lowered = 80; // the level the user last chose by hand
    qsizetype writesBeforeLowering = 0;

    for (const FadeStep &step : std::as_const(steps)) {
        advanceTo(step.secondsLeft);
        switch (step.kind) {
        case FadeStep::LowerTheSound:
            rig.fakes.volume->readable = lowered = int(step.value);
            writesBeforeLowering = rig.fakes.volume->writes.size();
            break;
        case FadeStep::SwitchFadeOff:
        case FadeStep::SwitchFadeOn:
            rig.manager->setFadeOutEnabled(step.kind == FadeStep::SwitchFadeOn);
            break;
        case FadeStep::AddMinutes:
            rig.manager->addTime(step.value);
            break;
        }
    }
    advanceTo(checkedAt);

    QCOMPARE(rig.fakes.volume->readable.value_or(-1), expectedLevel);
    QCOMPARE(rig.manager->currentFadeVolume(), expectedLevel);
    for (const int level : rig.fakes.volume->writes.mid(writesBeforeLowering))
        QVERIFY2(level <= lowered, qPrintable(QString::number(level)));
    rig.manager->stopTimer();
    QCOMPARE(rig.fakes.volume->readable, 80);
}

void tst_SleepManagerSession::dimmingFollowsTheLastFiveMinutes()
{
    SleepManagerRig rig("2026-06-10T23:00:00", {{SettingsKeys::isScreenDimmingEnabled, true}});
    rig.manager->setSessionDuration(600);
    rig.manager->startTimer();

    rig.advance(299);
    QVERIFY(rig.fakes.displays->overlays.isEmpty());

    rig.advance(1 + 150);
    QCOMPARE(rig.fakes.displays->overlays.size(), 1);
    QCOMPARE(rig.fakes.displays->overlays[0].alpha, 0.5);
    QVERIFY(rig.fakes.displays->overlays[0].visible);

    rig.advance(150);
    QCOMPARE(rig.fakes.displays->overlays[0].alpha, 1.0);

    rig.advance(0.5);
    QVERIFY(rig.fakes.displays->openOverlays().isEmpty());
}

void tst_SleepManagerSession::urgentAndFadingWindows_data()
{
    QTest::addColumn<bool>("fade");
    QTest::addColumn<double>("elapsed"); // of a 30-minute session
    QTest::addColumn<double>("minutes"); // added then
    QTest::addColumn<bool>("stopped");
    QTest::addColumn<bool>("urgent");
    QTest::addColumn<bool>("fading");
    QTest::newRow("901 s left") << true << 899.0 << 0.0 << false << false << false;
    QTest::newRow("900 s left") << true << 900.0 << 0.0 << false << false << true;
    QTest::newRow("301 s left") << true << 1499.0 << 0.0 << false << false << true;
    QTest::newRow("300 s left") << true << 1500.0 << 0.0 << false << true << true;
    QTest::newRow("300 s left, fade off") << false << 1500.0 << 0.0 << false << true << false;
    QTest::newRow("+10m at 200 s") << true << 1600.0 << 10.0 << false << false << true;
    QTest::newRow("+15m at 200 s") << true << 1600.0 << 15.0 << false << false << false;
    QTest::newRow("stopped at 200 s") << true << 1600.0 << 0.0 << true << false << true;
}

void tst_SleepManagerSession::urgentAndFadingWindows()
{
    QFETCH(bool, fade);
    QFETCH(double, elapsed);
    QFETCH(double, minutes);
    QFETCH(bool, stopped);
    SleepManagerRig rig("2026-06-10T23:00:00", {{SettingsKeys::isFadeOutEnabled, fade}});
    rig.manager->startTimer();
    rig.advance(elapsed);
    rig.manager->addTime(minutes);
    if (stopped)
        rig.manager->stopTimer();

    QTEST(rig.manager->isUrgent(), "urgent");
    QTEST(rig.manager->isFading(), "fading");
}

void tst_SleepManagerSession::sleepIsIssuedOnceThenTheSessionStops()
{
    SleepManagerRig rig("2026-06-10T23:00:00", kFadeOn);
    rig.fakes.volume->readable = 80;
    rig.manager->setSessionDuration(5);
    rig.manager->startTimer();

    rig.advance(5);
    QCOMPARE(rig.fakes.sleep->calls, 1);
    QCOMPARE(rig.fakes.volume->writes.last(), 0);
    QVERIFY(rig.manager->isActive());

    rig.advance(0.4);
    QCOMPARE(rig.fakes.sleep->calls, 1);
    QVERIFY(rig.manager->isActive());

    rig.advance(0.1);
    QVERIFY(!rig.manager->isActive());
    QCOMPARE(rig.manager->timeRemaining(), 0.0);
    QCOMPARE(rig.fakes.volume->readable, 80);
    QVERIFY(!rig.fakes.notifier->pending);
    QCOMPARE(rig.fakes.clock->repeatingTimerCount(), 0);

    rig.advance(3600);
    QCOMPARE(rig.fakes.sleep->calls, 1);

    rig.manager->startTimer(); // the next night's session sleeps too
    rig.advance(5);
    QCOMPARE(rig.fakes.sleep->calls, 2);
}

void tst_SleepManagerSession::failedSleepIsShown()
{
    SleepManagerRig rig("2026-06-10T23:00:00");
    rig.fakes.sleep->failure = QStringLiteral("Interactive authentication required.");
    rig.manager->setSessionDuration(1);
    rig.manager->startTimer();

    rig.advance(1.5);

    QCOMPARE(rig.manager->errorMessage(),
             std::optional<QString>(
                 "Échec de la mise en veille : Interactive authentication required."));
    QVERIFY(!rig.manager->isActive());
}

void tst_SleepManagerSession::zeroLengthSessionSleepsAtOnce()
{
    SleepManagerRig rig("2026-06-10T23:00:00");
    rig.manager->setSessionDuration(0);

    rig.manager->startTimer();

    QCOMPARE(rig.manager->totalDuration(), 1.0);
    QCOMPARE(rig.fakes.sleep->calls, 1);
    QVERIFY(!rig.fakes.notifier->pending);
    rig.advance(0.5);
    QVERIFY(!rig.manager->isActive());
}

void tst_SleepManagerSession::scheduledCountdownLastsOneMinute()
{
    SleepManagerRig rig("2026-06-10T21:59:59.500",
                        scheduledAt({22, 0},
                                    {{SettingsKeys::isFadeOutEnabled, true},
                                     {SettingsKeys::isScreenDimmingEnabled, true}}));
    rig.fakes.volume->readable = 50;

    rig.advance(1); // the watcher fires at 22:00:00.5

    QVERIFY(rig.manager->isActive());
    QCOMPARE(rig.manager->totalDuration(), 60.0);
    QCOMPARE(rig.manager->currentFadeVolume(), 3);
    QCOMPARE(rig.fakes.displays->overlays[0].alpha, 0.8);
    QVERIFY(!rig.manager->timeUntilSchedule());

    rig.advance(60);
    QCOMPARE(rig.fakes.sleep->calls, 1);
    rig.advance(0.5);
    QVERIFY(!rig.manager->isActive());
    QCOMPARE(rig.fakes.volume->readable, 50);
}

void tst_SleepManagerSession::scheduleStartsOnEachDayOnce()
{
    SleepManagerRig rig("2026-06-10T21:59:00.250", scheduledAt({22, 0}));
    QSignalSpy started(rig.manager.get(), &SleepManager::isActiveChanged);

    rig.advance(61); // 22:00:01.25
    QVERIFY(rig.manager->isActive());
    rig.manager->stopTimer();
    rig.advance(30); // still 22:00: no second session for this minute
    QVERIFY(!rig.manager->isActive());

    rig.advance(24 * 3600 - 30);
    QVERIFY(rig.manager->isActive()); // the next day's 22:00
    rig.advance(120);
    QCOMPARE(rig.fakes.sleep->calls, 1);
    QVERIFY(!rig.manager->isActive());
}

void tst_SleepManagerSession::watcherStartsTheCountdown_data()
{
    QTest::addColumn<QString>("start");
    QTest::addColumn<QTime>("scheduled");
    QTest::addColumn<double>("elapsed"); // the watcher's first tick comes a second in
    QTest::addColumn<bool>("starts");

    QTest::newRow("22:00:00.000") << "2026-06-10T21:59:59" << QTime(22, 0) << 1.0 << true;
    QTest::newRow("22:00:59.999") << "2026-06-10T22:00:58.999" << QTime(22, 0) << 1.0 << true;
    QTest::newRow("22:01:00.000") << "2026-06-10T22:00:59" << QTime(22, 0) << 1.0 << false;
    // The clock goes from 01:59:59 straight to 03:00:00.
    QTest::newRow("in the skipped hour: at its end")
        << "2026-03-29T01:59:59.500" << QTime(2, 30) << 1.0 << true;
    QTest::newRow("switched on between the repeated hours: the second")
        << "2026-10-25T02:45:00+02:00" << QTime(2, 30) << 45 * 60 + 0.5 << true;
}

void tst_SleepManagerSession::watcherStartsTheCountdown()
{
    QFETCH(QString, start);
    QFETCH(QTime, scheduled);
    QFETCH(double, elapsed);
    QFETCH(bool, starts);
    SleepManagerRig rig(start, scheduledAt(scheduled));

    rig.advance(elapsed);

    QCOMPARE(rig.manager->isActive(), starts);
    if (starts)
        QCOMPARE(rig.manager->totalDuration(), 60.0);
}

void tst_SleepManagerSession::scheduleInTheRepeatedHourStartsOnce()
{
    SleepManagerRig rig("2026-10-25T02:29:59.500+02:00", scheduledAt({2, 30}));
    rig.advance(1);
    QVERIFY(rig.manager->isActive());
    rig.manager->stopTimer();

    rig.advance(3600); // 02:30 again, an hour later

    QVERIFY(!rig.manager->isActive());
}

void tst_SleepManagerSession::watcherReadsTheLocalTimeOnceASecond()
{
    SleepManagerRig rig("2026-06-10T21:00:00", scheduledAt({22, 0}));
    const int before = localTimeLookups();

    rig.advance(60);

    QCOMPARE(rig.manager->timeUntilSchedule(), std::optional<QString>("dans 59 min"));
    QCOMPARE_LE(localTimeLookups() - before, 60);
}

void tst_SleepManagerSession::manualStartInScheduledMode_data()
{
    QTest::addColumn<QString>("start");
    QTest::addColumn<QTime>("scheduled");
    QTest::addColumn<QString>("expectedTarget");
    QTest::addColumn<double>("expectedTotal");

    QTest::newRow("90 s before") << "2026-06-10T21:58:30" << QTime(22, 0) << "2026-06-10T22:00:00"
                                 << 90.0;
    QTest::newRow("30 s after: tomorrow")
        << "2026-06-10T22:00:30" << QTime(22, 0) << "2026-06-11T22:00:00" << 86370.0;
    QTest::newRow("skipped hour: its end")
        << "2026-03-29T01:00:00" << QTime(2, 30) << "2026-03-29T03:00:00+02:00" << 3600.0;
    QTest::newRow("repeated hour: first")
        << "2026-10-25T01:00:00+02:00" << QTime(2, 30) << "2026-10-25T02:30:00+02:00" << 5400.0;
}

void tst_SleepManagerSession::manualStartInScheduledMode()
{
    QFETCH(QString, start);
    QFETCH(QTime, scheduled);
    QFETCH(QString, expectedTarget);
    QFETCH(double, expectedTotal);
    SleepManagerRig rig(start, scheduledAt(scheduled));

    rig.manager->startTimer();

    QCOMPARE(rig.manager->targetTime().toUTC(), paris(expectedTarget).toUTC());
    QCOMPARE(rig.manager->totalDuration(), expectedTotal);
}

void tst_SleepManagerSession::timeUntilSchedule_data()
{
    QTest::addColumn<QString>("now");
    QTest::addColumn<QString>("expected");

    QTest::newRow("59 s") << "2026-06-10T21:59:01"
                          << "dans 0 min";
    QTest::newRow("7 min") << "2026-06-10T21:52:30"
                           << "dans 7 min";
    QTest::newRow("one hour") << "2026-06-10T21:00:00"
                              << "dans 1h00";
    QTest::newRow("3h05") << "2026-06-10T18:55:00"
                          << "dans 3h05";
    QTest::newRow("the short night") << "2026-03-29T01:00:00"
                                     << "dans 20h00";
}

void tst_SleepManagerSession::timeUntilSchedule()
{
    QFETCH(QString, now);
    QFETCH(QString, expected);

    SleepManagerRig rig(now, scheduledAt({22, 0}));

    QCOMPARE(rig.manager->timeUntilSchedule(), std::optional<QString>(expected));
}

void tst_SleepManagerSession::addTimeWhileIdle_data()
{
    QTest::addColumn<double>("duration");
    QTest::addColumn<double>("minutes");
    QTest::addColumn<double>("expected");

    QTest::newRow("add five") << 1800.0 << 5.0 << 2100.0;
    QTest::newRow("remove five") << 1800.0 << -5.0 << 1500.0;
    QTest::newRow("floor at 5 min") << 400.0 << -5.0 << 300.0;
    QTest::newRow("ceiling at 3 h") << 10700.0 << 5.0 << 10800.0;
}

void tst_SleepManagerSession::addTimeWhileIdle()
{
    QFETCH(double, duration);
    QFETCH(double, minutes);
    QFETCH(double, expected);
    SleepManagerRig rig("2026-06-10T23:00:00");
    rig.manager->setSessionDuration(duration);

    rig.manager->addTime(minutes);

    QCOMPARE(rig.manager->sessionDuration(), expected);
    QCOMPARE(rig.fakes.defaults->values.value(SettingsKeys::sessionDuration).toDouble(), expected);
}

void tst_SleepManagerSession::addTimeWhileRunning_data()
{
    QTest::addColumn<double>("remainingBefore");
    QTest::addColumn<double>("minutes");
    QTest::addColumn<double>("expectedRemaining");
    QTest::addColumn<double>("expectedTotal");

    QTest::newRow("add ten") << 600.0 << 10.0 << 1200.0 << 1200.0;
    QTest::newRow("remove five of three: 10 s left") << 180.0 << -5.0 << 10.0 << 600.0;
    QTest::newRow("total never shrinks") << 500.0 << -2.0 << 380.0 << 600.0;
}

void tst_SleepManagerSession::addTimeWhileRunning()
{
    QFETCH(double, remainingBefore);
    QFETCH(double, minutes);
    QFETCH(double, expectedRemaining);
    QFETCH(double, expectedTotal);
    SleepManagerRig rig("2026-06-10T23:00:00");
    rig.manager->setSessionDuration(600);
    rig.manager->startTimer();
    rig.advance(600 - remainingBefore);

    rig.manager->addTime(minutes);

    QCOMPARE(rig.manager->timeRemaining(), expectedRemaining);
    QCOMPARE(rig.manager->totalDuration(), expectedTotal);
    QCOMPARE(rig.manager->sessionDuration(), 600.0); // the setting is untouched
}

void tst_SleepManagerSession::addingTimeFreezesTheFadeUntilTheWindow()
{
    SleepManagerRig rig("2026-06-10T23:00:00", kFadeOn);
    rig.manager->setSessionDuration(600);
    rig.manager->startTimer(); // level 66
    rig.manager->addTime(10); // 1200 s left: outside the fade window
    const qsizetype writesBefore = rig.fakes.volume->writes.size();

    rig.advance(299);
    QCOMPARE(rig.fakes.volume->writes.size(), writesBefore);
    QCOMPARE(rig.manager->currentFadeVolume(), 66);

    rig.advance(1); // 900 s left: back in the window, at the level the formula gives
    QCOMPARE(rig.manager->currentFadeVolume(), 100);
}

void tst_SleepManagerSession::notificationLead_data()
{
    QTest::addColumn<double>("remaining");
    QTest::addColumn<double>("expectedDelay"); // -1: none

    QTest::newRow("100 s: lead 10") << 100.0 << 90.0;
    QTest::newRow("121 s: lead 60") << 121.0 << 61.0;
    QTest::newRow("120 s: lead 10") << 120.0 << 110.0;
    QTest::newRow("10 s: due now, none") << 10.0 << -1.0;
    QTest::newRow("8 s: none") << 8.0 << -1.0;
}

void tst_SleepManagerSession::notificationLead()
{
    QFETCH(double, remaining);
    QFETCH(double, expectedDelay);
    SleepManagerRig rig("2026-06-10T23:00:00");
    rig.manager->setSessionDuration(remaining);

    rig.manager->startTimer();

    if (expectedDelay < 0) {
        QVERIFY(!rig.fakes.notifier->pending);
        return;
    }
    QVERIFY(rig.fakes.notifier->pending);
    const NotificationRequest request = *rig.fakes.notifier->pending;
    QCOMPARE(request.delaySeconds, expectedDelay);
    QCOMPARE(request.identifier, "VelorinthPreSleep");
    QCOMPARE(request.title, "Velorinth");
    QCOMPARE(request.body, "Mise en veille imminente... 💤");
}

void tst_SleepManagerSession::formattedTimeRemaining_data()
{
    QTest::addColumn<double>("remaining"); // the session's length
    QTest::addColumn<QString>("expected");

    QTest::newRow("14:05") << 845.0 << "14:05";
    QTest::newRow("just under an hour") << 3599.9 << "59:59";
    QTest::newRow("one hour") << 3600.0 << "01:00:00";
    QTest::newRow("three hours") << 10800.0 << "03:00:00";
    QTest::newRow("too long for a date: the default") << 1e300 << "30:00";
}

void tst_SleepManagerSession::formattedTimeRemaining()
{
    QFETCH(double, remaining);
    QFETCH(QString, expected);
    SleepManagerRig rig("2026-06-10T23:00:00");
    rig.manager->setSessionDuration(remaining);

    rig.manager->startTimer();

    QCOMPARE(rig.manager->formattedTimeRemaining(), expected);
}

void tst_SleepManagerSession::restartRecordsTheFadedVolume()
{
    SleepManagerRig rig("2026-06-10T23:00:00", kFadeOn);
    rig.manager->setSessionDuration(450);
    rig.manager->startTimer(); // 100 → 50

    rig.manager->startTimer();

    QCOMPARE(rig.manager->startFadeVolume(), 50);
    QCOMPARE(rig.fakes.defaults->values.value(SettingsKeys::savedVolume).toInt(), 50);
}

void tst_SleepManagerSession::teardownStopsTheTickThenTheWatcher()
{
    SleepManagerRig rig("2026-06-10T21:00:00", scheduledAt({22, 0})); // the watcher: timer 0
    rig.manager->startTimer(); // the tick: timer 1

    rig.manager.reset();

    QCOMPARE(rig.fakes.clock->stoppedTimers(), (QList<qint64>{1, 0}));
}

VELORINTH_TEST_MAIN_IN_PARIS(tst_SleepManagerSession)
#include "tst_sleep_manager_session.moc"
