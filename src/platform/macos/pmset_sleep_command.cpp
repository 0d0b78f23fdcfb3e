#include "pmset_sleep_command.h"

#include "apple_script_text.h"
#include "platform/qt/child_process.h"

namespace velorinth {

PmsetSleepCommand::PmsetSleepCommand(const PlatformPaths &paths)
    : m_paths(paths)
{
}

namespace {

void sleepThroughSystemEvents(const QString &osascript, QObject *context,
                              std::function<void(const QString &reason)> onFailure)
{
    runProcess(osascript,
               osascriptArguments(QStringLiteral("tell application \"System Events\" to sleep")),
               context, [onFailure = std::move(onFailure)](const ProcessFailure &failure) {
                   if (failure)
                       onFailure(*failure);
               });
}

} // namespace

// pmset's exit status is watched: a sleep it refused must not pass for done.
void PmsetSleepCommand::suspend(QObject *context,
                                std::function<void(const QString &reason)> onFailure)
{
    runProcess(m_paths.pmset, {QStringLiteral("sleepnow")}, context,
               [osascript = m_paths.osascript, context,
                onFailure = std::move(onFailure)](const ProcessFailure &failure) {
                   if (failure)
                       sleepThroughSystemEvents(osascript, context, onFailure);
               });
}

} // namespace velorinth
