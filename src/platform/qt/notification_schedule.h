#pragma once

#include "platform/notifier.h"

#include <QTimer>

#include <functional>
#include <map>
#include <memory>

namespace velorinth {

// Notification requests waiting for their time, at most one per identifier.
class NotificationSchedule
{
public:
    using Show = std::function<void(const NotificationRequest &request)>;

    explicit NotificationSchedule(Show show);

    // Replaces a pending request with the same identifier.
    void add(const NotificationRequest &request);
    void clear();

private:
    Show m_show;
    // A fired timer stays until replaced or cleared, so none is deleted while it emits.
    std::map<QString, std::unique_ptr<QTimer>> m_timers;
};

} // namespace velorinth
