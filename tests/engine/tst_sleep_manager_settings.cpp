#include "sleep_manager_rig.h"

#include "platform/qt/settings_user_defaults.h"
#include "support/environment_override.h"

#include <QSignalSpy>
#include <QTemporaryDir>

#include <QSettings>

#include <ctime>
#include <sys/stat.h>
#include <unistd.h>

using namespace velorinth;

class tst_SleepManagerSettings : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void emptyDefaults();
    void defaultTimeOnADayWithoutMidnight();
    void storedValues_data();
    void storedValues();
    void fadeRecovery_data();
    void fadeRecovery();
    void storedScheduleRunsTheWatcherAtOnce();
    void everyAssignmentIsPublishedAndStored();
    void reassigningScheduleRestartsTheWatcher();
    void scheduledTimeRecomputesTheCountdownText();
    void notificationPermissionErrorIsPrinted();
    void failedVolumeWriteIsPrintedAndTheFadeGoesOn();
    void settingsSurviveARestart();
    void recoveryKeysLeaveTheFileWithTheStop_data();
    void recoveryKeysLeaveTheFileWithTheStop();
    void quittingDuringAFadeWritesTheFileOnce();

private:
    // Settings in a file of their own; QSettings reads the config directory from the
    // environment once per process.
    [[nodiscard]] QString useConfigIn(const QTemporaryDir &config)
    {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, config.path());
        return config.filePath(QStringLiteral("Velorinth/Velorinth.conf"));
    }
};

namespace {

// The file as it is on disk, past QSettings' shared cache.
bool fileMentions(const QString &path, const QString &key)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && file.readAll().contains(key.toUtf8());
}

// What a next run would read of the file now: a QSettings of its own reads a copy, since all
// QSettings of one file in a process share what is not written yet.
QStringList keysOnDisk(const QString &path)
{
    const QTemporaryDir dir;
    const QString copy = dir.filePath(QStringLiteral("copy.conf"));
    return QFile::copy(path, copy) ? QSettings(copy, QSettings::IniFormat).allKeys()
                                   : QStringList();
}

// The same file on disk: QSettings writes a new one in place of the old at each write.
bool sameFile(const QString &one, const QString &other)
{
    struct stat a
    { };
    struct stat b
    { };
    return ::stat(qPrintable(one), &a) == 0 && ::stat(qPrintable(other), &b) == 0
        && a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

} // namespace

void tst_SleepManagerSettings::emptyDefaults()
{
    SleepManagerRig rig("2026-06-10T23:00:00");
    const SleepManager &manager = *rig.manager;

    QVERIFY(!manager.isFadeOutEnabled());
    QVERIFY(!manager.isScreenDimmingEnabled());
    QVERIFY(!manager.isScheduleEnabled());
    QVERIFY(!manager.isLEDOff());
    QCOMPARE(manager.sessionDuration(), 1800.0);
    QCOMPARE(manager.scheduledTime().time(), QTime(0, 0));
    QVERIFY(!manager.timeUntilSchedule());
    QCOMPARE(manager.totalDuration(), 1.0);
    QCOMPARE(manager.startFadeVolume(), 100);
    QCOMPARE(manager.currentFadeVolume(), 100);
    QCOMPARE(rig.fakes.clock->repeatingTimerCount(), 0);
    QCOMPARE(rig.fakes.notifier->authorizationRequests, 1);
    QCOMPARE(rig.fakes.defaults->writes, 0); // starting never rewrites the store
}

void tst_SleepManagerSettings::defaultTimeOnADayWithoutMidnight()
{
    const auto readZoneAgain = qScopeGuard([] { tzset(); });
    const EnvironmentOverride havana("TZ", "America/Havana");
    tzset();

    SleepManagerRig rig("2026-03-08T12:00:00"); // the clocks went from 00:00 to 01:00

    QCOMPARE(rig.manager->scheduledTime().toLocalTime().time(), QTime(0, 0));
}

void tst_SleepManagerSettings::storedValues_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QVariant>("stored");
    QTest::addColumn<QString>("property");
    QTest::addColumn<QVariant>("expected");

    const QString duration = SettingsKeys::sessionDuration;
    QTest::newRow("duration 2700")
        << duration << QVariant(2700.0) << "sessionDuration" << QVariant(2700.0);
    QTest::newRow("duration as text")
        << duration << QVariant("2700") << "sessionDuration" << QVariant(2700.0);
    QTest::newRow("duration too long for a date")
        << duration << QVariant(1e300) << "sessionDuration" << QVariant(1800.0);
    QTest::newRow("negative duration")
        << duration << QVariant(-60.0) << "sessionDuration" << QVariant(1800.0);
    QTest::newRow("zero duration")
        << duration << QVariant(0) << "sessionDuration" << QVariant(1800.0);
    QTest::newRow("duration not a number")
        << duration << QVariant("abc") << "sessionDuration" << QVariant(1800.0);
    QTest::newRow("duration a list")
        << duration << QVariant(QStringList{"1"}) << "sessionDuration" << QVariant(1800.0);
    QTest::newRow("fade as INI text") << SettingsKeys::isFadeOutEnabled << QVariant("true")
                                      << "isFadeOutEnabled" << QVariant(true);
    QTest::newRow("dimming as number") << SettingsKeys::isScreenDimmingEnabled << QVariant(1)
                                       << "isScreenDimmingEnabled" << QVariant(true);
    QTest::newRow("fade as garbage") << SettingsKeys::isFadeOutEnabled << QVariant("maybe")
                                     << "isFadeOutEnabled" << QVariant(false);
    QTest::newRow("time not a date")
        << SettingsKeys::scheduledTime << QVariant("22:00") << "scheduledTime"
        << QVariant(QDate(2026, 6, 10).startOfDay());
    QTest::newRow("time a date") << SettingsKeys::scheduledTime
                                 << QVariant(QDateTime(QDate(2025, 1, 2), QTime(22, 15)))
                                 << "scheduledTime"
                                 << QVariant(QDateTime(QDate(2025, 1, 2), QTime(22, 15)));
}

void tst_SleepManagerSettings::storedValues()
{
    QFETCH(QString, key);
    QFETCH(QVariant, stored);
    QFETCH(QString, property);
    QFETCH(QVariant, expected);

    SleepManagerRig rig("2026-06-10T23:00:00", {{key, stored}});

    QCOMPARE(rig.manager->property(property.toUtf8()), expected);
}

void tst_SleepManagerSettings::fadeRecovery_data()
{
    QTest::addColumn<QVariantMap>("stored");
    QTest::addColumn<QList<int>>("expectedWrites");

    const QString flag = SettingsKeys::fadeInProgress;
    const QString saved = SettingsKeys::savedVolume;
    QTest::newRow("interrupted fade at 35")
        << QVariantMap{{flag, true}, {saved, 35}} << QList<int>{35};
    QTest::newRow("saved level 0") << QVariantMap{{flag, true}, {saved, 0}} << QList<int>{};
    QTest::newRow("no saved level") << QVariantMap{{flag, true}} << QList<int>{};
    QTest::newRow("no flag") << QVariantMap{{saved, 35}} << QList<int>{};
    QTest::newRow("level as INI text")
        << QVariantMap{{flag, "true"}, {saved, "35"}} << QList<int>{35};
    QTest::newRow("boosted to the ceiling")
        << QVariantMap{{flag, true}, {saved, 153}} << QList<int>{153};
    QTest::newRow("past the ceiling") << QVariantMap{{flag, true}, {saved, 1000}} << QList<int>{};
    QTest::newRow("2^31") << QVariantMap{{flag, true}, {saved, 2147483648LL}} << QList<int>{};
    QTest::newRow("10^12") << QVariantMap{{flag, true}, {saved, 1e12}} << QList<int>{};
}

void tst_SleepManagerSettings::fadeRecovery()
{
    QFETCH(QVariantMap, stored);
    QFETCH(QList<int>, expectedWrites);

    SleepManagerRig rig("2026-06-10T23:00:00", stored);

    QCOMPARE(rig.fakes.volume->writes, expectedWrites);
    QVERIFY(!rig.fakes.defaults->values.contains(SettingsKeys::savedVolume));
    QVERIFY(!rig.fakes.defaults->values.contains(SettingsKeys::fadeInProgress));
}

void tst_SleepManagerSettings::storedScheduleRunsTheWatcherAtOnce()
{
    SleepManagerRig rig(
        "2026-06-10T21:00:00",
        {{SettingsKeys::isScheduleEnabled, true},
         {SettingsKeys::scheduledTime, QDateTime(QDate(2026, 1, 1), QTime(22, 0))}});

    QCOMPARE(rig.manager->timeUntilSchedule(), std::optional<QString>("dans 1h00"));
    QCOMPARE(rig.fakes.clock->repeatingTimerCount(), 1);
    rig.advance(60);
    QCOMPARE(rig.manager->timeUntilSchedule(), std::optional<QString>("dans 59 min"));
}

void tst_SleepManagerSettings::everyAssignmentIsPublishedAndStored()
{
    SleepManagerRig rig("2026-06-10T23:00:00");
    SleepManager &manager = *rig.manager;
    QSignalSpy fade(&manager, &SleepManager::isFadeOutEnabledChanged);
    QSignalSpy duration(&manager, &SleepManager::sessionDurationChanged);

    manager.setFadeOutEnabled(true);
    manager.setFadeOutEnabled(true);
    manager.setSessionDuration(2700);
    manager.setSessionDuration(2700);

    QCOMPARE(fade.count(), 2);
    QCOMPARE(duration.count(), 2);
    QCOMPARE(rig.fakes.defaults->writes, 4);
    QCOMPARE(rig.fakes.defaults->values.value(SettingsKeys::isFadeOutEnabled), QVariant(true));
    QCOMPARE(rig.fakes.defaults->values.value(SettingsKeys::sessionDuration), QVariant(2700.0));
}

void tst_SleepManagerSettings::reassigningScheduleRestartsTheWatcher()
{
    SleepManagerRig rig("2026-06-10T21:00:00");
    QSignalSpy countdownText(rig.manager.get(), &SleepManager::timeUntilScheduleChanged);

    rig.manager->setScheduleEnabled(true);
    rig.manager->setScheduleEnabled(true);

    QCOMPARE(countdownText.count(), 2); // each start recomputes the text at once
    QCOMPARE(rig.fakes.clock->repeatingTimerCount(), 1);
    rig.manager->setScheduleEnabled(false);
    QCOMPARE(rig.fakes.clock->repeatingTimerCount(), 0);
    QCOMPARE(rig.manager->timeUntilSchedule(),
             std::optional<QString>("dans 3h00")); // left as it was
}

void tst_SleepManagerSettings::scheduledTimeRecomputesTheCountdownText()
{
    SleepManagerRig rig("2026-06-10T21:00:00", {{SettingsKeys::isScheduleEnabled, true}});

    rig.manager->setScheduledTime(QDateTime(QDate(2026, 1, 1), QTime(23, 5)));

    QCOMPARE(rig.manager->timeUntilSchedule(), std::optional<QString>("dans 2h05"));
}

void tst_SleepManagerSettings::notificationPermissionErrorIsPrinted()
{
    FakePlatform fakes(paris("2026-06-10T23:00:00"));
    fakes.notifier->authorizationError = QStringLiteral("No notification server");

    SleepManager manager(fakes.platform);

    QCOMPARE(fakes.console->lines,
             QStringList{"Notification permission error: No notification server"});
}

void tst_SleepManagerSettings::failedVolumeWriteIsPrintedAndTheFadeGoesOn()
{
    SleepManagerRig rig("2026-06-10T23:00:00", {{SettingsKeys::isFadeOutEnabled, true}});
    rig.fakes.volume->readable = std::nullopt;
    rig.fakes.volume->setFailure = QStringLiteral("Connection refused");
    rig.manager->setSessionDuration(900);

    rig.manager->startTimer();
    rig.advance(450);

    QCOMPARE(rig.manager->startFadeVolume(), 50); // unreadable reads as 50
    QCOMPARE(rig.manager->currentFadeVolume(), 25);
    QCOMPARE(rig.fakes.console->lines.first(), "⚠️ Erreur setVolume: Connection refused");
}

void tst_SleepManagerSettings::settingsSurviveARestart()
{
    QTemporaryDir config;
    const EnvironmentOverride configHome("XDG_CONFIG_HOME", config.path().toUtf8());
    const QDateTime bedtime(QDate(2026, 6, 10), QTime(22, 45));
    {
        FakePlatform fakes(paris("2026-06-10T12:00:00"));
        fakes.platform.defaults = std::make_unique<SettingsUserDefaults>();
        SleepManager first(fakes.platform);
        first.setFadeOutEnabled(true);
        first.setScreenDimmingEnabled(true);
        first.setSessionDuration(2700);
        first.setScheduleEnabled(true);
        first.setScheduledTime(bedtime);
    }
    FakePlatform fakes(paris("2026-06-10T12:00:00"));
    fakes.platform.defaults = std::make_unique<SettingsUserDefaults>();
    SleepManager second(fakes.platform);

    QVERIFY(second.isFadeOutEnabled());
    QVERIFY(second.isScreenDimmingEnabled());
    QCOMPARE(second.sessionDuration(), 2700.0);
    QVERIFY(second.isScheduleEnabled());
    QCOMPARE(second.scheduledTime(), bedtime);
    QCOMPARE(second.timeUntilSchedule(), std::optional<QString>("dans 10h45"));
}

void tst_SleepManagerSettings::recoveryKeysLeaveTheFileWithTheStop_data()
{
    QTest::addColumn<bool>("switchedOffMidFade");
    QTest::addColumn<int>("expectedVolume");

    QTest::newRow("fade on") << false << 80;
    QTest::newRow("fade switched off mid-fade: the volume stays") << true << 26;
}

// A crash right after the stop must not let the next run put back a level the stop left.
void tst_SleepManagerSettings::recoveryKeysLeaveTheFileWithTheStop()
{
    QFETCH(bool, switchedOffMidFade);
    QTemporaryDir config;
    const QString file = useConfigIn(config);
    FakePlatform fakes(paris("2026-06-10T12:00:00"));
    fakes.platform.defaults = std::make_unique<SettingsUserDefaults>();
    fakes.volume->readable = 80;
    SleepManager manager(fakes.platform);
    manager.setFadeOutEnabled(true);
    manager.setSessionDuration(900);
    manager.startTimer();
    fakes.clock->advance(std::chrono::seconds(600)); // 300 s left: the fade is at 26
    manager.setFadeOutEnabled(!switchedOffMidFade);
    QVERIFY(keysOnDisk(file).contains(SettingsKeys::fadeInProgress));

    manager.stopTimer();

    const QStringList stored = keysOnDisk(file);
    QVERIFY(!stored.contains(SettingsKeys::savedVolume));
    QVERIFY(!stored.contains(SettingsKeys::fadeInProgress));
    QVERIFY(stored.contains(SettingsKeys::isFadeOutEnabled));
    QTEST(fakes.volume->readable.value_or(-1), "expectedVolume");
}

// The quit's stop removes the recovery keys in one write; the rest of the quit writes nothing
// more while the LED option is off, so a busy disk holds the logout only once.
void tst_SleepManagerSettings::quittingDuringAFadeWritesTheFileOnce()
{
    QTemporaryDir config;
    const QString file = useConfigIn(config);
    const QString writtenByTheStop = config.filePath(QStringLiteral("written-by-the-stop"));
    {
        FakePlatform fakes(paris("2026-06-10T12:00:00"));
        fakes.platform.defaults = std::make_unique<SettingsUserDefaults>();
        SleepManager manager(fakes.platform);
        manager.setFadeOutEnabled(true);
        manager.startTimer();
        QVERIFY(fileMentions(file, SettingsKeys::savedVolume));

        manager.stopTimer();
        QVERIFY(!fileMentions(file, SettingsKeys::savedVolume));
        QCOMPARE(::link(qPrintable(file), qPrintable(writtenByTheStop)), 0);
        manager.cleanup();

        QCOMPARE(fakes.volume->readable, 100);
    }
    QVERIFY(sameFile(file, writtenByTheStop));
    const QSettings stored(file, QSettings::IniFormat);
    QVERIFY(!stored.contains(SettingsKeys::savedVolume));
    QVERIFY(!stored.contains(SettingsKeys::fadeInProgress));
    QVERIFY(stored.value(SettingsKeys::isFadeOutEnabled).toBool());
}

VELORINTH_TEST_MAIN_IN_PARIS(tst_SleepManagerSettings)
#include "tst_sleep_manager_settings.moc"
