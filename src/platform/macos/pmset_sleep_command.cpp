#include "pmset_sleep_command.h"

#include "apple_script_text.h"
#include "platform/qt/child_process.h"

#include <QProcess>

namespace velorinth {

PmsetSleepCommand::PmsetSleepCommand(const PlatformPaths &paths)
    : m_paths(paths)
{
}

void PmsetSleepCommand::suspend(QObject *context, std::function<void(const QString &reason)> onFailure)
{
    if (QProcess::startDetached(m_paths.pmset, {QStringLiteral("sleepnow")}))
        return;
    runProcess(m_paths.osascript,
               osascriptArguments(QStringLiteral("tell application \"System Events\" to sleep")), context,
               [onFailure = std::move(onFailure)](const ProcessFailure &failure) {
                   if (failure)
                       onFailure(*failure);
               });
}

} // namespace velorinth
