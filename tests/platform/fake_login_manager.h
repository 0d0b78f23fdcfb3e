#pragma once

#include <QDBusConnection>
#include <QDBusContext>
#include <QList>
#include <QObject>

namespace velorinth {

// systemd-logind's Suspend method on a bus connection of its own: it records
// every call and answers with success, or with an error carrying `refusal`.
// Everything here is asynchronous, so it may share the caller's thread.
class FakeLoginManager : public QObject, protected QDBusContext
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.login1.Manager")

public:
    explicit FakeLoginManager(const QString &refusal = {});
    ~FakeLoginManager() override;

    // Takes the logind name on the system bus; false when it could not.
    [[nodiscard]] bool start();
    // The `interactive` argument of each call.
    [[nodiscard]] QList<bool> suspendCalls() const { return m_suspendCalls; }

public Q_SLOTS:
    void Suspend(bool interactive);

private:
    QString m_refusal;
    QDBusConnection m_connection;
    QList<bool> m_suspendCalls;
};

} // namespace velorinth
