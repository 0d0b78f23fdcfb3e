#include "apple_script_notifier.h"

#include "apple_script_text.h"

#include <QProcess>

namespace velorinth {

AppleScriptNotifier::AppleScriptNotifier(const PlatformPaths &paths)
    : m_osascript(paths.osascript)
    , m_schedule([this](const NotificationRequest &request) { show(request); })
{
}

void AppleScriptNotifier::requestAuthorization(QObject *, std::function<void(const QString &)>) { }

void AppleScriptNotifier::add(const NotificationRequest &request)
{
    m_schedule.add(request);
}

void AppleScriptNotifier::removeAllPending()
{
    m_schedule.clear();
}

void AppleScriptNotifier::show(const NotificationRequest &request)
{
    const QString source =
        QStringLiteral("display notification %1 with title %2 sound name \"default\"")
            .arg(quotedForAppleScript(request.body), quotedForAppleScript(request.title));
    QProcess::startDetached(m_osascript, osascriptArguments(source));
}

} // namespace velorinth
