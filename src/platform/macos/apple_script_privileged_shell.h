#pragma once

#include "platform/platform_paths.h"
#include "platform/privileged_shell.h"

namespace velorinth {

// `do shell script … with administrator privileges`: the system asks for an
// administrator's password in its own dialog.
class AppleScriptPrivilegedShell final : public PrivilegedShell
{
public:
    explicit AppleScriptPrivilegedShell(const PlatformPaths &paths);

    void run(const QString &shellText, QObject *context,
             std::function<void(const std::optional<QString> &failure)> done) override;

private:
    QString m_osascript;
};

} // namespace velorinth
