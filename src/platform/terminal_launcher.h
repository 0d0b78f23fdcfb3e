#pragma once

#include <QString>

#include <optional>

namespace velorinth {

// Opens a new terminal window that runs an executable script, so the user can
// follow it and answer its prompts. May block; call it off the UI thread.
class TerminalLauncher
{
public:
    virtual ~TerminalLauncher() = default;

    // Returns the failure reason; an empty reason means none was given.
    [[nodiscard]] virtual std::optional<QString> openScript(const QString &scriptPath) = 0;
};

} // namespace velorinth
