#include "child_process.h"

#include <QDeadlineTimer>
#include <QPointer>
#include <QProcess>

namespace velorinth {

namespace {

bool succeeded(const QProcess &process)
{
    return process.error() != QProcess::FailedToStart
        && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

QString failureOf(QProcess &process)
{
    const QString errorOutput = QString::fromUtf8(process.readAllStandardError()).trimmed();
    if (!errorOutput.isEmpty())
        return errorOutput;
    if (process.error() == QProcess::FailedToStart || process.exitStatus() == QProcess::CrashExit)
        return process.errorString();
    return QStringLiteral("code de sortie %1").arg(process.exitCode());
}

} // namespace

void runProcess(const QString &program, const QStringList &arguments, QObject *context,
                std::function<void(const ProcessFailure &failure)> done)
{
    auto *process = new QProcess;
    process->setStandardOutputFile(QProcess::nullDevice());
    const auto finish = [process, receiver = QPointer<QObject>(context), done = std::move(done)] {
        process->deleteLater();
        if (receiver)
            done(succeeded(*process) ? ProcessFailure() : failureOf(*process));
    };
    QObject::connect(process, &QProcess::finished, process, finish);
    // A process that never started emits no finished().
    QObject::connect(process, &QProcess::errorOccurred, process,
                     [finish](QProcess::ProcessError error) {
                         if (error == QProcess::FailedToStart)
                             finish();
                     });
    process->start(program, arguments);
}

ProcessResult runProcessAndWait(const QString &program, const QStringList &arguments,
                                std::chrono::milliseconds limit)
{
    const QDeadlineTimer deadline(limit);
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForStarted(int(deadline.remainingTime())))
        return {{}, failureOf(process)};
    if (!process.waitForFinished(int(deadline.remainingTime()))) {
        process.kill();
        process.waitForFinished();
        return {{}, QStringLiteral("délai dépassé")};
    }
    const QByteArray output = process.readAllStandardOutput();
    return {output, succeeded(process) ? ProcessFailure() : failureOf(process)};
}

} // namespace velorinth
