#pragma once

#include <QObject>
#include <QString>

#include <functional>

namespace velorinth {

// Puts the machine to sleep without blocking the caller. When the command and
// its fallback both fail, `onFailure` runs on the caller's thread with the
// reason, unless `context` is gone by then.
class SleepCommand
{
public:
    virtual ~SleepCommand() = default;

    virtual void suspend(QObject *context,
                         std::function<void(const QString &reason)> onFailure) = 0;
};

} // namespace velorinth
