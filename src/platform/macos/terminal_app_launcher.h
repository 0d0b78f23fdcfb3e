#pragma once

#include "platform/platform_paths.h"
#include "platform/terminal_launcher.h"

#include <chrono>

namespace velorinth {

// A new window of the Terminal application running the script.
class TerminalAppLauncher final : public TerminalLauncher
{
public:
    // Long enough for Terminal to start and for the user to answer the
    // system's first "allow to control Terminal" question.
    static constexpr std::chrono::minutes kLimit{2};

    explicit TerminalAppLauncher(const PlatformPaths &paths);

    [[nodiscard]] std::optional<QString> openScript(const QString &scriptPath) override;

private:
    QString m_osascript;
};

} // namespace velorinth
