#pragma once

#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <QString>

#include <memory>

namespace velorinth {

// Keeps one running Velorinth per user, so that two engines never count down (and suspend)
// side by side. The first launch holds a lock file and listens on a local socket beside it
// in the user's runtime directory; a later launch asks it there to bring its window forward.
// A lock or socket left by an instance that crashed does not count.
class SingleInstance final : public QObject
{
    Q_OBJECT

public:
    // In $XDG_RUNTIME_DIR, else in a directory of this user's alone under the temporary one.
    explicit SingleInstance(QObject *parent = nullptr);
    explicit SingleInstance(const QString &directory, QObject *parent = nullptr);

    // True when no other instance runs: this one then answers later launches. Also true when
    // no private directory can be had, so that the app still starts.
    [[nodiscard]] bool claim();
    // Asks the running instance to bring its window forward; false when none answered.
    [[nodiscard]] bool handOver();

Q_SIGNALS:
    void reopenRequested();

private:
    void answer(QLocalSocket *socket);
    [[nodiscard]] QString socketPath() const;

    QString m_directory;
    std::unique_ptr<QLockFile> m_lock;
    QLocalServer m_server;
};

} // namespace velorinth
