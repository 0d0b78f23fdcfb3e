// The countdown, the daily schedule, the fade and the sleep at the end.
#include "sleep_manager.h"

#include "engine/settings_keys.h"

#include <algorithm>
#include <cmath>

namespace velorinth {

namespace {

using namespace std::chrono_literals;

constexpr auto kTickInterval = 1s;
constexpr auto kStopAfterSleep = 500ms;
constexpr double kFadeWindow = 900;
constexpr double kDimWindow = 300;
constexpr double kUrgentWindow = 300;
constexpr double kScheduledCountdown = 60;
constexpr double kKeepScheduledTarget = 120;
constexpr double kLongNotificationLeadThreshold = 120;
constexpr double kLongNotificationLead = 60;
constexpr double kShortNotificationLead = 10;
constexpr double kLeastRemainingAfterRemoval = 10;
constexpr double kShortestSession = 300;
constexpr double kLongestSession = 10800;
constexpr qint64 kUnreadableVolume = 50;

const QString kNotificationIdentifier = QStringLiteral("VelorinthPreSleep");

QDateTime addSeconds(const QDateTime &instant, double seconds)
{
    return instant.addMSecs(qRound64(seconds * 1000));
}

double secondsBetween(const QDateTime &from, const QDateTime &to)
{
    return static_cast<double>(from.msecsTo(to)) / 1000;
}

} // namespace

double SleepManager::secondsUntilTarget() const
{
    return secondsBetween(m_platform.clock->now(), m_targetTime);
}

std::optional<QDateTime> SleepManager::sessionEnd(const QDateTime &start, double seconds)
{
    // QDateTime counts milliseconds in 64 bits: past that no date can be formed.
    constexpr double kLongestMSecs = 9.2e18;
    const double msecs = seconds * 1000;
    if (!(std::abs(msecs) < kLongestMSecs))
        return std::nullopt;
    const QDateTime end = start.addMSecs(std::llround(msecs));
    return end.isValid() ? std::optional(end) : std::nullopt;
}

std::optional<QDateTime> SleepManager::nextScheduledDate(const QDateTime &now)
{
    m_occurrences.update(now, m_scheduledTime);
    return m_occurrences.next();
}

void SleepManager::startSyncTimer()
{
    stopSyncTimer();
    updateTimeUntilSchedule();
    m_syncTimer = m_platform.clock->startRepeating(kTickInterval, [this] {
        const QDateTime now = m_platform.clock->now();
        checkSchedule(now);
        updateTimeUntilSchedule(now);
    });
}

void SleepManager::stopSyncTimer()
{
    m_syncTimer.reset();
}

void SleepManager::updateTimeUntilSchedule()
{
    updateTimeUntilSchedule(m_platform.clock->now());
}

void SleepManager::updateTimeUntilSchedule(const QDateTime &now)
{
    const std::optional<QDateTime> next =
        m_isScheduleEnabled && !m_isActive ? nextScheduledDate(now) : std::nullopt;
    if (!next) {
        publish(m_timeUntilSchedule, std::optional<QString>(),
                &SleepManager::timeUntilScheduleChanged);
        return;
    }
    const qint64 seconds = now.msecsTo(*next) / 1000;
    const qint64 hours = seconds / 3600;
    const qint64 minutes = (seconds / 60) % 60;
    const QString text = hours < 1
        ? QStringLiteral("dans %1 min").arg(minutes)
        : QStringLiteral("dans %1h%2").arg(hours).arg(minutes, 2, 10, QLatin1Char('0'));
    publish(m_timeUntilSchedule, std::optional<QString>(text),
            &SleepManager::timeUntilScheduleChanged);
}

void SleepManager::checkSchedule(const QDateTime &now)
{
    if (m_isActive)
        return;
    m_occurrences.update(now, m_scheduledTime);
    // Today's occurrence as well as a look at the wall clock: on the night the
    // clocks go forward a time inside the skipped hour still comes, at its
    // end; on the night they go back it comes a second time, an hour later.
    const std::optional<QDateTime> &occurrence = m_occurrences.today();
    const bool inOccurrence = occurrence && now >= *occurrence && now < occurrence->addSecs(60);
    if (!inOccurrence && !m_occurrences.wallClockMatches())
        return;
    // One session per night: none again within the minute once stopped, and
    // none at the time's second coming when its first started one.
    if (m_lastScheduleTrigger == occurrence)
        return;
    m_lastScheduleTrigger = occurrence;
    const WholeChange start(*this);
    publish(m_targetTime, addSeconds(now, kScheduledCountdown), &SleepManager::targetTimeChanged);
    startTimer();
}

void SleepManager::startTimer()
{
    // The tray draws the session's first picture from the first notice: the time left must
    // already be there.
    const WholeChange start(*this);
    const QDateTime now = m_platform.clock->now();
    // A duration too long for any date would end the session at once and
    // sleep the machine: the default runs instead.
    const QDateTime timed =
        sessionEnd(now, m_sessionDuration).value_or(addSeconds(now, kDefaultSessionDuration));
    if (!m_isScheduleEnabled) {
        publish(m_targetTime, timed, &SleepManager::targetTimeChanged);
    } else {
        const QDateTime candidate = nextScheduledDate(now).value_or(timed);
        // A target set by the schedule watcher a moment ago is its one-minute countdown: keep it.
        const double ahead = secondsBetween(now, m_targetTime);
        if (!(ahead > 0 && ahead < kKeepScheduledTarget))
            publish(m_targetTime, candidate, &SleepManager::targetTimeChanged);
    }
    const double total = secondsUntilTarget();
    publish(m_totalDuration, total > 0 ? total : 1.0, &SleepManager::totalDurationChanged);

    m_hasSessionFadeVolume = false;
    if (m_isFadeOutEnabled)
        recordFadeStartVolume();
    m_hasPerformedSleep = false;
    publish(m_isActive, true, &SleepManager::isActiveChanged);

    updateRemainingTime();
    scheduleNotification();
    startMainTimer();
}

void SleepManager::recordFadeStartVolume()
{
    m_startFadeVolume = readCurrentVolume();
    m_hasSessionFadeVolume = true;
    m_fadeRamp = {m_startFadeVolume, kFadeWindow};
    m_lastSetVolume = -1; // a level an earlier session left is no sign of the user's hand
    publish(m_currentFadeVolume, m_startFadeVolume, &SleepManager::currentFadeVolumeChanged);
    m_platform.defaults->setObject(SettingsKeys::savedVolume, m_startFadeVolume);
    m_platform.defaults->setObject(SettingsKeys::fadeInProgress, true);
}

void SleepManager::startMainTimer()
{
    m_timer = m_platform.clock->startRepeating(kTickInterval, [this] { updateRemainingTime(); });
}

void SleepManager::updateRemainingTime()
{
    const double remaining = secondsUntilTarget();
    // A fade switched on during the session starts from the level the user
    // has now, never from the initial or an earlier session's level.
    if (m_isActive && m_isFadeOutEnabled && !m_hasSessionFadeVolume)
        recordFadeStartVolume();
    if (m_isActive && remaining > 0) {
        if (m_isFadeOutEnabled && remaining <= kFadeWindow)
            stepFade(remaining);
        if (m_isScreenDimmingEnabled && remaining <= kDimWindow)
            m_screenFader.setOpacity(std::clamp(1.0 - remaining / kDimWindow, 0.0, 1.0));
    }
    if (remaining > 0) {
        publish(m_timeRemaining, remaining, &SleepManager::timeRemainingChanged);
        return;
    }
    publish(m_timeRemaining, 0.0, &SleepManager::timeRemainingChanged);
    if (m_hasPerformedSleep)
        return;
    m_hasPerformedSleep = true;
    if (m_isFadeOutEnabled)
        setSystemVolume(0);
    if (m_isScreenDimmingEnabled)
        m_screenFader.setOpacity(1.0);
    performSleep();
    m_platform.clock->runLater(kStopAfterSleep, this, [this] { stopTimer(); });
}

qint64 SleepManager::FadeRamp::levelAt(double remaining) const
{
    return static_cast<qint64>(static_cast<double>(from) * std::clamp(remaining / over, 0.0, 1.0));
}

void SleepManager::stepFade(double remaining)
{
    qint64 level = m_fadeRamp.levelAt(remaining);
    if (level == m_lastSetVolume)
        return;
    // Read only when a write is due: each read is a round trip to the sound server.
    const qint64 fadeLevel = m_lastSetVolume >= 0 ? m_lastSetVolume : m_startFadeVolume;
    const std::optional<int> sink = m_platform.volume->readPercent();
    if (sink && *sink < fadeLevel) {
        // Turned down by hand: the fade goes on from there, and never back above it.
        m_fadeRamp = {*sink, remaining};
        level = *sink;
    } else {
        setSystemVolume(level);
    }
    m_lastSetVolume = level;
    publish(m_currentFadeVolume, level, &SleepManager::currentFadeVolumeChanged);
}

void SleepManager::stopTimer()
{
    // A screen on its way out shows the stop's state, not the last tick's.
    const WholeChange stop(*this);
    m_timer.reset();
    publish(m_isActive, false, &SleepManager::isActiveChanged);
    cancelNotification();
    // Only a level recorded in this session is given back: a stop while idle,
    // or of a session that never faded, must not jump the volume to a level
    // recorded long ago.
    if (m_hasSessionFadeVolume && m_isFadeOutEnabled && m_startFadeVolume > 0) {
        applyVolume(m_startFadeVolume);
        m_lastSetVolume = -1;
        publish(m_currentFadeVolume, m_startFadeVolume, &SleepManager::currentFadeVolumeChanged);
    }
    m_hasSessionFadeVolume = false;
    forgetFadeRecovery();
    m_screenFader.stopDimming();
    publish(m_timeRemaining, 0.0, &SleepManager::timeRemainingChanged);
}

void SleepManager::addTime(double minutes)
{
    if (!m_isActive) {
        setSessionDuration(
            std::clamp(m_sessionDuration + minutes * 60, kShortestSession, kLongestSession));
        return;
    }
    const double remaining =
        std::max(secondsUntilTarget() + minutes * 60, kLeastRemainingAfterRemoval);
    publish(m_targetTime, addSeconds(m_platform.clock->now(), remaining),
            &SleepManager::targetTimeChanged);
    if (m_totalDuration < remaining)
        publish(m_totalDuration, remaining, &SleepManager::totalDurationChanged);
    updateRemainingTime();
    scheduleNotification();
}

void SleepManager::scheduleNotification()
{
    m_platform.notifier->removeAllPending();
    const double lead = secondsUntilTarget() > kLongNotificationLeadThreshold
        ? kLongNotificationLead
        : kShortNotificationLead;
    const double delay = secondsUntilTarget() - lead;
    if (delay <= 0)
        return;
    m_platform.notifier->add({kNotificationIdentifier, QStringLiteral("Velorinth"),
                              QStringLiteral("Mise en veille imminente... 💤"), delay});
}

void SleepManager::cancelNotification()
{
    m_platform.notifier->removeAllPending();
}

void SleepManager::performSleep()
{
    m_platform.sleep->suspend(this, [this](const QString &reason) {
        setErrorMessage(QStringLiteral("Échec de la mise en veille : ") + reason);
    });
}

QString SleepManager::formattedTimeRemaining() const
{
    const auto seconds = static_cast<qint64>(m_timeRemaining);
    const int hours = static_cast<int>(seconds / 3600);
    const int minutes = static_cast<int>((seconds / 60) % 60);
    const int rest = static_cast<int>(seconds % 60);
    if (hours < 1)
        return QString::asprintf("%02i:%02i", minutes, rest);
    return QString::asprintf("%02i:%02i:%02i", hours, minutes, rest);
}

void SleepManager::setSystemVolume(qint64 level)
{
    applyVolume(level);
}

void SleepManager::applyVolume(qint64 level)
{
    if (const std::optional<QString> failure =
            m_platform.volume->setPercent(static_cast<int>(level)))
        m_platform.console->printLine(QStringLiteral("⚠️ Erreur setVolume: ") + *failure);
}

qint64 SleepManager::readCurrentVolume()
{
    return m_platform.volume->readPercent().value_or(kUnreadableVolume);
}

bool SleepManager::isUrgent() const
{
    return m_isActive && m_timeRemaining <= kUrgentWindow;
}

bool SleepManager::isFading() const
{
    return m_isFadeOutEnabled && m_timeRemaining <= kFadeWindow;
}

} // namespace velorinth
