#pragma once

#include "platform/terminal_launcher.h"

namespace velorinth {

// The Debian-chosen terminal (x-terminal-emulator), else the first well-known
// one found on PATH, started detached so it outlives the app.
class LinuxTerminalLauncher final : public TerminalLauncher
{
public:
    [[nodiscard]] std::optional<QString> openScript(const QString &scriptPath) override;
};

} // namespace velorinth
