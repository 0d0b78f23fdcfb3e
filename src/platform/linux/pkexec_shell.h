#pragma once

#include "platform/privileged_shell.h"

namespace velorinth {

// `pkexec /bin/sh -c <shell text>`: polkit asks for the password in its own
// dialog while the caller's event loop keeps running.
class PkexecShell final : public PrivilegedShell
{
public:
    void run(const QString &shellText, QObject *context,
             std::function<void(const std::optional<QString> &failure)> done) override;
};

} // namespace velorinth
