#include "linux_terminal_launcher.h"

#include <QProcess>
#include <QStandardPaths>

namespace velorinth {

namespace {

struct Terminal
{
    QString program;
    QString runOption; // the option after which come the program to run and its arguments
};

} // namespace

std::optional<QString> LinuxTerminalLauncher::openScript(const QString &scriptPath)
{
    const Terminal terminals[] = {
        {QStringLiteral("x-terminal-emulator"), QStringLiteral("-e")},
        {QStringLiteral("gnome-terminal"), QStringLiteral("--")},
        {QStringLiteral("konsole"), QStringLiteral("-e")},
        // Its -e takes one command line to split; -x takes the path as it is.
        {QStringLiteral("xfce4-terminal"), QStringLiteral("-x")},
        {QStringLiteral("xterm"), QStringLiteral("-e")},
    };
    for (const Terminal &terminal : terminals) {
        const QString path = QStandardPaths::findExecutable(terminal.program);
        if (path.isEmpty())
            continue;
        QProcess process;
        process.setProgram(path);
        process.setArguments({terminal.runOption, scriptPath});
        if (process.startDetached())
            return std::nullopt;
        return process.errorString();
    }
    return QStringLiteral("aucun terminal trouvé");
}

} // namespace velorinth
