#include "apple_script_volume_control.h"

#include "apple_script_text.h"
#include "platform/qt/child_process.h"

#include <algorithm>

namespace velorinth {

AppleScriptVolumeControl::AppleScriptVolumeControl(const PlatformPaths &paths)
    : m_osascript(paths.osascript)
{
}

std::optional<int> AppleScriptVolumeControl::readPercent()
{
    const ProcessResult result = runProcessAndWait(
        m_osascript, osascriptArguments(QStringLiteral("output volume of (get volume settings)")),
        kLimit);
    if (result.failure)
        return std::nullopt;
    bool isNumber = false;
    const int percent = QString::fromUtf8(result.output).trimmed().toInt(&isNumber, 10);
    return isNumber ? std::optional(percent)
                    : std::nullopt; // "missing value" on a fixed-volume output
}

std::optional<QString> AppleScriptVolumeControl::setPercent(int percent)
{
    const QString source =
        QStringLiteral("set volume output volume %1").arg(std::clamp(percent, 0, maxPercent()));
    return runProcessAndWait(m_osascript, osascriptArguments(source), kLimit).failure;
}

} // namespace velorinth
