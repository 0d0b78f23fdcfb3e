#include "terminal_app_launcher.h"

#include "apple_script_text.h"
#include "platform/qt/child_process.h"

namespace velorinth {

TerminalAppLauncher::TerminalAppLauncher(const PlatformPaths &paths)
    : m_osascript(paths.osascript)
{
}

std::optional<QString> TerminalAppLauncher::openScript(const QString &scriptPath)
{
    const QString source =
        QStringList{
            QStringLiteral("tell application \"Terminal\""),
            QStringLiteral("    activate"),
            QStringLiteral("    do script %1").arg(quotedForAppleScript(scriptPath)),
            QStringLiteral("end tell"),
        }
            .join(QLatin1Char('\n'));
    return runProcessAndWait(m_osascript, osascriptArguments(source), kLimit).failure;
}

} // namespace velorinth
