#include "apple_script_privileged_shell.h"

#include "apple_script_text.h"
#include "platform/qt/child_process.h"

namespace velorinth {

AppleScriptPrivilegedShell::AppleScriptPrivilegedShell(const PlatformPaths &paths)
    : m_osascript(paths.osascript)
{
}

void AppleScriptPrivilegedShell::run(
    const QString &shellText, QObject *context,
    std::function<void(const std::optional<QString> &failure)> done)
{
    const QString source = QStringLiteral("do shell script %1 with administrator privileges")
                               .arg(quotedForAppleScript(shellText));
    runProcess(m_osascript, osascriptArguments(source), context, std::move(done));
}

} // namespace velorinth
