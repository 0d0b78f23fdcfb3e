#pragma once

#include <QString>

namespace velorinth {

// The script that installs the package manager when missing, then `batt` and
// its daemon, run in a terminal window where the user types the password.
[[nodiscard]] QString battInstallerScript();

struct WrittenScript
{
    QString path; // empty when writing failed
    QString error; // why it failed; empty when the system gave no reason
};

// Writes an executable script into a directory only this user can write
// ($XDG_RUNTIME_DIR, else a private directory of this user's under the
// temporary directory, reused by later runs). The file is replaced by rename,
// so a link planted at its path is never followed.
[[nodiscard]] WrittenScript writePrivateScript(const QString &fileName, const QString &contents);

} // namespace velorinth
