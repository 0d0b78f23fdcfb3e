#pragma once

#include <QObject>
#include <QString>

#include <functional>

namespace velorinth {

struct NotificationRequest
{
    QString identifier;
    QString title;
    QString body;
    double delaySeconds = 0; // shown once, this long after it was added
};

// Desktop notifications with at most one pending request per identifier.
class Notifier
{
public:
    virtual ~Notifier() = default;

    // Asks to show alerts with sound; `onError` gets the reason when refused
    // or unreachable, on the caller's thread, unless `context` is gone.
    virtual void requestAuthorization(QObject *context,
                                      std::function<void(const QString &error)> onError) = 0;
    // Replaces a pending request with the same identifier.
    virtual void add(const NotificationRequest &request) = 0;
    virtual void removeAllPending() = 0;
};

} // namespace velorinth
