#include "sleep_manager.h"

#include "engine/settings_keys.h"

namespace velorinth {

namespace {

// 00:00 on the wall clock: today's start or, where the clocks go forward at
// midnight and today starts at 01:00, yesterday's; only the hour and minute
// count. The present moment when neither day has one.
QDateTime midnightNear(const QDateTime &now)
{
    const QDate today = now.toLocalTime().date();
    for (const QDate &day : {today, today.addDays(-1)}) {
        const QDateTime start = day.startOfDay();
        if (start.time() == QTime(0, 0))
            return start;
    }
    return now;
}

} // namespace

SleepManager::SleepManager(Platform &platform, QObject *parent)
    : QObject(parent)
    , m_platform(platform)
    , m_battPath(platform.paths.batt)
    , m_targetTime(platform.clock->now())
    , m_screenFader(*platform.displays)
{
    m_workers.setMaxThreadCount(1);
    loadSettings();
    requestNotificationPermission();
    recoverInterruptedFade();
    if (m_isScheduleEnabled)
        startSyncTimer();
    // The LED stays off across a run that ended without switching it back on.
    if (m_platform.defaults->boolValue(SettingsKeys::isLEDOff)) {
        m_isLEDOff = true;
        if (isBattAvailable())
            turnLEDOff();
    }
}

SleepManager::~SleepManager()
{
    m_timer.reset();
    m_syncTimer.reset();
}

// Reads the stored settings as they are, without running any setter: starting
// the app must not rewrite the store or start work twice.
void SleepManager::loadSettings()
{
    const UserDefaults &defaults = *m_platform.defaults;
    const QDateTime now = m_platform.clock->now();
    m_isFadeOutEnabled = defaults.boolValue(SettingsKeys::isFadeOutEnabled);
    m_isScreenDimmingEnabled = defaults.boolValue(SettingsKeys::isScreenDimmingEnabled);
    const double storedDuration = defaults.doubleValue(SettingsKeys::sessionDuration);
    // A duration too long for any date to end it, as a damaged store may hold, counts as absent.
    m_sessionDuration = storedDuration > 0 && sessionEnd(now, storedDuration)
        ? storedDuration
        : kDefaultSessionDuration;
    m_isScheduleEnabled = defaults.boolValue(SettingsKeys::isScheduleEnabled);
    m_scheduledTime = defaults.dateValue(SettingsKeys::scheduledTime).value_or(midnightNear(now));
}

void SleepManager::requestNotificationPermission()
{
    Console *console = m_platform.console.get();
    m_platform.notifier->requestAuthorization(this, [console](const QString &error) {
        console->printLine(QStringLiteral("Notification permission error: ") + error);
    });
}

void SleepManager::recoverInterruptedFade()
{
    UserDefaults &defaults = *m_platform.defaults;
    const qint64 savedVolume = defaults.integerValue(SettingsKeys::savedVolume);
    // Only a level this app could have recorded: a damaged store must neither
    // mute the output nor turn it up past what the backend allows.
    if (defaults.boolValue(SettingsKeys::fadeInProgress) && savedVolume > 0
        && savedVolume <= m_platform.volume->maxPercent())
        applyVolume(savedVolume);
    forgetFadeRecovery();
}

void SleepManager::forgetFadeRecovery()
{
    m_platform.defaults->remove({SettingsKeys::savedVolume, SettingsKeys::fadeInProgress});
}

SleepManager::WholeChange::WholeChange(SleepManager &manager)
    : m_manager(manager)
    , m_outermost(!manager.m_heldNotices)
{
    if (m_outermost)
        m_manager.m_heldNotices.emplace();
}

SleepManager::WholeChange::~WholeChange()
{
    if (!m_outermost)
        return;
    // Taken out first: an observer may start a change of its own from a notice.
    const QList<Notice> notices = *std::exchange(m_manager.m_heldNotices, std::nullopt);
    for (const Notice changed : notices)
        Q_EMIT(m_manager.*changed)();
}

void SleepManager::announce(Notice changed)
{
    if (m_heldNotices)
        m_heldNotices->append(changed);
    else
        Q_EMIT(this->*changed)();
}

void SleepManager::setFadeOutEnabled(bool enabled)
{
    publish(m_isFadeOutEnabled, enabled, &SleepManager::isFadeOutEnabledChanged);
    m_platform.defaults->setObject(SettingsKeys::isFadeOutEnabled, enabled);
}

void SleepManager::setScreenDimmingEnabled(bool enabled)
{
    publish(m_isScreenDimmingEnabled, enabled, &SleepManager::isScreenDimmingEnabledChanged);
    m_platform.defaults->setObject(SettingsKeys::isScreenDimmingEnabled, enabled);
}

void SleepManager::setSessionDuration(double seconds)
{
    publish(m_sessionDuration, seconds, &SleepManager::sessionDurationChanged);
    m_platform.defaults->setObject(SettingsKeys::sessionDuration, seconds);
}

void SleepManager::setScheduleEnabled(bool enabled)
{
    publish(m_isScheduleEnabled, enabled, &SleepManager::isScheduleEnabledChanged);
    m_platform.defaults->setObject(SettingsKeys::isScheduleEnabled, enabled);
    if (enabled)
        startSyncTimer();
    else
        stopSyncTimer();
}

void SleepManager::setScheduledTime(const QDateTime &time)
{
    publish(m_scheduledTime, time, &SleepManager::scheduledTimeChanged);
    m_platform.defaults->setObject(SettingsKeys::scheduledTime, time);
    m_occurrences.invalidate();
    updateTimeUntilSchedule();
}

void SleepManager::setErrorMessage(const std::optional<QString> &message)
{
    publish(m_errorMessage, message, &SleepManager::errorMessageChanged);
}

void SleepManager::setShowBattInstallPrompt(bool show)
{
    publish(m_showBattInstallPrompt, show, &SleepManager::showBattInstallPromptChanged);
}

} // namespace velorinth
