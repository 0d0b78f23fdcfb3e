#include "pkexec_shell.h"

#include "platform/qt/child_process.h"

namespace velorinth {

void PkexecShell::run(const QString &shellText, QObject *context,
                      std::function<void(const std::optional<QString> &failure)> done)
{
    runProcess(QStringLiteral("pkexec"),
               {QStringLiteral("/bin/sh"), QStringLiteral("-c"), shellText}, context,
               std::move(done));
}

} // namespace velorinth
