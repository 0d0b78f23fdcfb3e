#pragma once

#include "platform/notifier.h"
#include "platform/platform_paths.h"
#include "platform/qt/notification_schedule.h"

namespace velorinth {

// `display notification` through osascript when a request is due.
class AppleScriptNotifier final : public Notifier
{
public:
    explicit AppleScriptNotifier(const PlatformPaths &paths);
    Q_DISABLE_COPY_MOVE(AppleScriptNotifier) // the schedule calls back into this object

    // Scripted notifications need no permission: nothing to ask, nothing to report.
    void requestAuthorization(QObject *context,
                              std::function<void(const QString &error)> onError) override;
    void add(const NotificationRequest &request) override;
    void removeAllPending() override;

private:
    void show(const NotificationRequest &request);

    QString m_osascript;
    NotificationSchedule m_schedule;
};

} // namespace velorinth
