#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QStringList>

#include <chrono>
#include <functional>
#include <optional>

namespace velorinth {

// Why a child process did not succeed, in words a user can read: what it wrote
// on its error stream, else why it could not run, else its exit code. Nothing
// when it exited with 0.
using ProcessFailure = std::optional<QString>;

// Starts `program` and returns at once; `done` runs on the caller's thread when
// it has ended, unless `context` is gone by then. Its standard output is dropped.
void runProcess(const QString &program, const QStringList &arguments, QObject *context,
                std::function<void(const ProcessFailure &failure)> done);

struct ProcessResult
{
    QByteArray output; // standard output
    ProcessFailure failure;
};

// Runs `program` to its end, killing it once `limit` has passed.
[[nodiscard]] ProcessResult runProcessAndWait(const QString &program, const QStringList &arguments,
                                              std::chrono::milliseconds limit);

} // namespace velorinth
