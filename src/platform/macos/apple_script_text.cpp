#include "apple_script_text.h"

namespace velorinth {

QString quotedForAppleScript(const QString &text)
{
    QString escaped = text;
    escaped.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    escaped.replace(QLatin1Char('"'), QStringLiteral("\\\""));
    return QLatin1Char('"') + escaped + QLatin1Char('"');
}

QStringList osascriptArguments(const QString &source)
{
    return {QStringLiteral("-e"), source};
}

} // namespace velorinth
