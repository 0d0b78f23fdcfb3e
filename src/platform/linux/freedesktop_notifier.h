#pragma once

#include "platform/notifier.h"
#include "platform/qt/notification_schedule.h"

namespace velorinth {

// Notifications through the desktop's org.freedesktop.Notifications service on
// the session bus. The server only shows what it is sent, so pending requests
// wait here until they are due.
class FreedesktopNotifier final : public Notifier
{
public:
    FreedesktopNotifier();

    // There is nothing to grant: asks the server who it is, and reports an
    // absent or broken one.
    void requestAuthorization(QObject *context,
                              std::function<void(const QString &error)> onError) override;
    void add(const NotificationRequest &request) override;
    void removeAllPending() override;

private:
    NotificationSchedule m_schedule;
};

} // namespace velorinth
