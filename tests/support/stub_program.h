#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace velorinth {

// What a stub program does besides recording its arguments.
struct StubBehaviour
{
    int exitCode = 0;
    QByteArray output{};
    QByteArray errorOutput{};
    bool launchable = true; // false: its interpreter does not exist, so exec fails
};

// Writes `errorOutput` and exits with 1, as a failing script does; succeeds
// quietly when there is nothing to write.
[[nodiscard]] StubBehaviour reportingError(const QByteArray &errorOutput);

// An executable script standing in for a system program: it records the
// arguments of every call, prints what it is told to and exits with the given
// code. It needs no other program, so it also runs with a bare PATH.
class StubProgram
{
public:
    StubProgram(const QString &directory, const QString &name, const StubBehaviour &behaviour = {});

    [[nodiscard]] QString path() const { return m_path; }
    // Gives the program new behaviour; a run already under way finishes the old one.
    void rewrite(const StubBehaviour &behaviour);
    // The arguments of each call so far, oldest first.
    [[nodiscard]] QList<QStringList> calls() const;

private:
    QString m_path;
    QString m_logPath;
};

} // namespace velorinth
