#include "stub_program.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

namespace velorinth {

namespace {

QByteArray quotedForShell(const QByteArray &text)
{
    QByteArray quoted = text;
    quoted.replace('\'', "'\\''");
    return '\'' + quoted + '\'';
}

} // namespace

StubBehaviour reportingError(const QByteArray &errorOutput)
{
    return {.exitCode = errorOutput.isEmpty() ? 0 : 1, .errorOutput = errorOutput};
}

StubProgram::StubProgram(const QString &directory, const QString &name,
                         const StubBehaviour &behaviour)
    : m_path(QDir(directory).filePath(name))
    , m_logPath(QDir(directory).filePath(name + QStringLiteral(".calls")))
{
    rewrite(behaviour);
}

void StubProgram::rewrite(const StubBehaviour &behaviour)
{
    // Each call appends its argument count and then its arguments, each ended
    // by a NUL byte, which no argument can hold.
    const QByteArray script =
        QByteArray(behaviour.launchable ? "#!/bin/sh\n" : "#!/nonexistent/interpreter\n")
        + "printf '%s\\0' \"$#\" \"$@\" >> " + quotedForShell(QFile::encodeName(m_logPath)) + '\n'
        + "printf '%s' " + quotedForShell(behaviour.output) + '\n' + "printf '%s' "
        + quotedForShell(behaviour.errorOutput) + " >&2\n" + "exit "
        + QByteArray::number(behaviour.exitCode) + '\n';
    // Replaced by rename: a shell still reading the old script is not disturbed.
    QSaveFile file(m_path);
    if (file.open(QIODevice::WriteOnly)) {
        file.write(script);
        file.commit();
    }
    QFile::setPermissions(m_path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

QList<QStringList> StubProgram::calls() const
{
    QFile log(m_logPath);
    if (!log.open(QIODevice::ReadOnly))
        return {};
    const QList<QByteArray> fields = log.readAll().split('\0');
    QList<QStringList> calls;
    for (qsizetype i = 0; i + 1 < fields.size();) {
        const int count = fields[i++].toInt();
        QStringList arguments;
        for (int n = 0; n < count && i < fields.size(); ++n)
            arguments << QString::fromUtf8(fields[i++]);
        calls << arguments;
    }
    return calls;
}

} // namespace velorinth
