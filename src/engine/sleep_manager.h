#pragma once

#include "engine/daily_occurrences.h"
#include "engine/screen_fader.h"
#include "platform/platform.h"

#include <QDateTime>
#include <QObject>
#include <QStringList>
#include <QThreadPool>

#include <atomic>
#include <chrono>
#include <memory>
#include <optional>

namespace velorinth {

// The one model of the app: the user's settings (persisted as soon as they
// are assigned), the running countdown with its volume fade and screen
// dimming, the daily schedule, the sleep at the end, and the charging LED.
// Every published property announces every assignment, equal values
// included: the tray and the views repaint from those notices. A start or a
// stop announces its assignments once all are made.
class SleepManager final : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QDateTime targetTime READ targetTime NOTIFY targetTimeChanged)
    Q_PROPERTY(bool isActive READ isActive NOTIFY isActiveChanged)
    Q_PROPERTY(double timeRemaining READ timeRemaining NOTIFY timeRemainingChanged)
    Q_PROPERTY(double totalDuration READ totalDuration NOTIFY totalDurationChanged)
    Q_PROPERTY(bool isFadeOutEnabled READ isFadeOutEnabled WRITE setFadeOutEnabled NOTIFY
                   isFadeOutEnabledChanged)
    Q_PROPERTY(bool isScreenDimmingEnabled READ isScreenDimmingEnabled WRITE setScreenDimmingEnabled
                   NOTIFY isScreenDimmingEnabledChanged)
    Q_PROPERTY(double sessionDuration READ sessionDuration WRITE setSessionDuration NOTIFY
                   sessionDurationChanged)
    Q_PROPERTY(bool isScheduleEnabled READ isScheduleEnabled WRITE setScheduleEnabled NOTIFY
                   isScheduleEnabledChanged)
    Q_PROPERTY(QDateTime scheduledTime READ scheduledTime WRITE setScheduledTime NOTIFY
                   scheduledTimeChanged)
    Q_PROPERTY(bool isLEDOff READ isLEDOff WRITE setLEDOff NOTIFY isLEDOffChanged)
    Q_PROPERTY(bool isBattInstalling READ isBattInstalling NOTIFY isBattInstallingChanged)
    Q_PROPERTY(QString battInstallLog READ battInstallLog NOTIFY battInstallLogChanged)
    Q_PROPERTY(bool showBattInstallPrompt READ showBattInstallPrompt WRITE setShowBattInstallPrompt
                   NOTIFY showBattInstallPromptChanged)
    Q_PROPERTY(qint64 currentFadeVolume READ currentFadeVolume NOTIFY currentFadeVolumeChanged)

public:
    // `platform` must outlive the manager.
    explicit SleepManager(Platform &platform, QObject *parent = nullptr);
    ~SleepManager() override;

    [[nodiscard]] QDateTime targetTime() const { return m_targetTime; }
    [[nodiscard]] bool isActive() const { return m_isActive; }
    [[nodiscard]] double timeRemaining() const { return m_timeRemaining; }
    [[nodiscard]] double totalDuration() const { return m_totalDuration; }
    [[nodiscard]] bool isFadeOutEnabled() const { return m_isFadeOutEnabled; }
    [[nodiscard]] bool isScreenDimmingEnabled() const { return m_isScreenDimmingEnabled; }
    [[nodiscard]] double sessionDuration() const { return m_sessionDuration; }
    [[nodiscard]] bool isScheduleEnabled() const { return m_isScheduleEnabled; }
    [[nodiscard]] QDateTime scheduledTime() const { return m_scheduledTime; }
    [[nodiscard]] bool isLEDOff() const { return m_isLEDOff; }
    [[nodiscard]] std::optional<QString> errorMessage() const { return m_errorMessage; }
    [[nodiscard]] std::optional<QString> timeUntilSchedule() const { return m_timeUntilSchedule; }
    [[nodiscard]] bool isBattInstalling() const { return m_isBattInstalling; }
    [[nodiscard]] QString battInstallLog() const { return m_battInstallLog; }
    [[nodiscard]] bool showBattInstallPrompt() const { return m_showBattInstallPrompt; }
    [[nodiscard]] qint64 startFadeVolume() const { return m_startFadeVolume; }
    [[nodiscard]] qint64 currentFadeVolume() const { return m_currentFadeVolume; }
    [[nodiscard]] bool isBattAvailable() const;
    // What the views tell the user differently on this kind of machine.
    [[nodiscard]] const HostTraits &host() const { return m_platform.host; }
    // The last five minutes of a running session: the views and the tray warn of the sleep.
    [[nodiscard]] bool isUrgent() const;
    // The fade option on and no more time left than the volume fades over. A session's stop
    // leaves no time, so a running screen on its way out keeps its volume bar.
    [[nodiscard]] bool isFading() const;

    void setFadeOutEnabled(bool enabled);
    void setScreenDimmingEnabled(bool enabled);
    void setSessionDuration(double seconds);
    void setScheduleEnabled(bool enabled);
    void setScheduledTime(const QDateTime &time);
    void setLEDOff(bool off);
    void setErrorMessage(const std::optional<QString> &message);
    void setShowBattInstallPrompt(bool show);

    void startTimer();
    void stopTimer();
    void addTime(double minutes); // negative removes
    [[nodiscard]] QString formattedTimeRemaining() const;
    void installBatt();
    void cleanup(); // at quit: gives the LED back to the system
    // Waits up to `limit` for the LED command under way (cleanup() starts one). One that is
    // still running then is stopped, so a `batt` that never answers cannot keep the app from
    // quitting. False when a command had to be stopped.
    bool finishBackgroundWork(std::chrono::milliseconds limit);

Q_SIGNALS:
    void targetTimeChanged();
    void isActiveChanged();
    void timeRemainingChanged();
    void totalDurationChanged();
    void isFadeOutEnabledChanged();
    void isScreenDimmingEnabledChanged();
    void sessionDurationChanged();
    void isScheduleEnabledChanged();
    void scheduledTimeChanged();
    void isLEDOffChanged();
    void errorMessageChanged();
    void timeUntilScheduleChanged();
    void isBattInstallingChanged();
    void battInstallLogChanged();
    void showBattInstallPromptChanged();
    void currentFadeVolumeChanged();

private:
    static constexpr double kDefaultSessionDuration = 1800;

    using Notice = void (SleepManager::*)();

    // Holds the manager's notices back while it lives, then sends them in order: whoever reads
    // the model at any notice of a change made of several assignments sees all of it.
    class WholeChange
    {
    public:
        explicit WholeChange(SleepManager &manager);
        ~WholeChange();
        WholeChange(const WholeChange &) = delete;
        WholeChange &operator=(const WholeChange &) = delete;

    private:
        SleepManager &m_manager;
        const bool m_outermost;
    };

    template<typename T>
    void publish(T &field, const T &value, Notice changed)
    {
        field = value;
        announce(changed);
    }
    void announce(Notice changed);

    // The line the fade follows down to 0 at the end: from the level recorded at its start
    // over the whole window, or from where the user turned the sound down, over what was left.
    // Never above its start, so minutes added later bring the sound back to the user's level
    // at most.
    struct FadeRamp
    {
        qint64 from = 0;
        double over = 1; // seconds
        [[nodiscard]] qint64 levelAt(double remaining) const;
    };

    void loadSettings();
    void recoverInterruptedFade();
    void forgetFadeRecovery(); // both recovery keys, from the disk too
    void requestNotificationPermission();

    // Session and schedule (sleep_manager_session.cpp).
    void startSyncTimer();
    void stopSyncTimer();
    void checkSchedule(const QDateTime &now);
    void updateTimeUntilSchedule();
    void updateTimeUntilSchedule(const QDateTime &now);
    void recordFadeStartVolume(); // also in the recovery keys
    void startMainTimer();
    void updateRemainingTime();
    void stepFade(double remaining);
    void scheduleNotification();
    void cancelNotification();
    void performSleep();
    void setSystemVolume(qint64 level);
    void applyVolume(qint64 level);
    [[nodiscard]] qint64 readCurrentVolume();
    [[nodiscard]] std::optional<QDateTime> nextScheduledDate(const QDateTime &now);
    // The end of a session of `seconds` from `start`; nothing when no date can hold it.
    [[nodiscard]] static std::optional<QDateTime> sessionEnd(const QDateTime &start,
                                                             double seconds);
    [[nodiscard]] double secondsUntilTarget() const;

    // Charging LED (sleep_manager_led.cpp).
    void turnLEDOff();
    void turnLEDOn();
    void runBattCommand(const QStringList &args);
    void runBattCommandWithAdmin(const QStringList &args);
    void finishBattInstall(const std::optional<QString> &failure);
    // Runs `work` off the UI thread, then `report` with its result on the UI thread.
    template<typename Work, typename Report>
    void inBackground(Work work, Report report);

    Platform &m_platform;
    const QString m_battPath;

    QDateTime m_targetTime;
    bool m_isActive = false;
    double m_timeRemaining = 0;
    double m_totalDuration = 1.0;
    bool m_isFadeOutEnabled = false;
    bool m_isScreenDimmingEnabled = false;
    double m_sessionDuration = 1800;
    bool m_isScheduleEnabled = false;
    QDateTime m_scheduledTime;
    bool m_isLEDOff = false;
    std::optional<QString> m_errorMessage;
    std::optional<QString> m_timeUntilSchedule;
    bool m_isBattInstalling = false;
    QString m_battInstallLog;
    bool m_showBattInstallPrompt = false;
    qint64 m_startFadeVolume = 100;
    bool m_hasSessionFadeVolume = false; // m_startFadeVolume was recorded in the running session
    qint64 m_lastSetVolume = -1;
    FadeRamp m_fadeRamp;
    qint64 m_currentFadeVolume = 100;
    std::optional<QList<Notice>> m_heldNotices; // while a WholeChange lives
    ScreenFader m_screenFader;
    std::unique_ptr<RepeatingTimer> m_timer;
    std::unique_ptr<RepeatingTimer> m_syncTimer;
    DailyOccurrences m_occurrences; // of the scheduled time, for the schedule watcher
    std::optional<QDateTime> m_lastScheduleTrigger; // the occurrence that last started a session
    bool m_hasPerformedSleep = false;
    std::atomic<bool> m_stopBackgroundWork = false; // read by the LED command while it runs
    // One thread, so LED commands take effect in the order they were asked
    // for. Last, so it is destroyed first: quitting waits for the LED command.
    QThreadPool m_workers;
};

} // namespace velorinth
