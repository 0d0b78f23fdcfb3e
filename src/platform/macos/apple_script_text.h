#pragma once

#include <QString>
#include <QStringList>

namespace velorinth {

// `text` as an AppleScript string literal, quotes included.
[[nodiscard]] QString quotedForAppleScript(const QString &text);

// The arguments that make osascript run `source`.
[[nodiscard]] QStringList osascriptArguments(const QString &source);

} // namespace velorinth
