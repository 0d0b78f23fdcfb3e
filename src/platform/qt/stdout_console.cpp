#include "stdout_console.h"

#include <cstdio>

namespace velorinth {

void StdoutConsole::printLine(const QString &line)
{
    const QByteArray bytes = line.toUtf8() + '\n';
    std::fwrite(bytes.constData(), 1, bytes.size(), stdout);
    std::fflush(stdout);
}

} // namespace velorinth
