#pragma once

#include <QObject>
#include <QString>

#include <functional>
#include <optional>

namespace velorinth {

// Runs a shell command line with administrator rights, after the system's own
// password prompt, without blocking the caller. `done` runs on the caller's
// thread with the failure reason (nothing on success), unless `context` is gone.
class PrivilegedShell
{
public:
    virtual ~PrivilegedShell() = default;

    virtual void run(const QString &shellText, QObject *context,
                     std::function<void(const std::optional<QString> &failure)> done) = 0;
};

} // namespace velorinth
