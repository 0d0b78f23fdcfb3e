#pragma once

#include <QString>

namespace velorinth {

// Absolute paths of the programs the app runs by full path. Tests point them
// at stubs; the Linux backends find everything else on PATH.
struct PlatformPaths
{
    QString batt = QStringLiteral("/usr/local/bin/batt");
    QString osascript = QStringLiteral("/usr/bin/osascript");
    QString pmset = QStringLiteral("/usr/bin/pmset");
};

} // namespace velorinth
