#pragma once

#include <QDBusConnection>
#include <QList>
#include <QObject>
#include <QStringList>
#include <QVariantMap>

namespace velorinth {

// A desktop notification server on a session-bus connection of its own that
// shows nothing and records everything. Everything here is asynchronous, so
// it may share the caller's thread.
class FakeNotificationServer : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")

public:
    struct Notification
    {
        QString appName;
        uint replacesId = 0;
        QString appIcon;
        QString summary;
        QString body;
        QStringList actions;
        QVariantMap hints;
        int expireTimeout = 0;
    };

    FakeNotificationServer();
    ~FakeNotificationServer() override;

    // Takes the notification service's name; false when it could not.
    [[nodiscard]] bool start();
    [[nodiscard]] QList<Notification> shown() const { return m_shown; }
    [[nodiscard]] int informationRequests() const { return m_informationRequests; }

public Q_SLOTS:
    uint Notify(const QString &appName, uint replacesId, const QString &appIcon,
                const QString &summary, const QString &body, const QStringList &actions,
                const QVariantMap &hints, int expireTimeout);
    QString GetServerInformation(QString &vendor, QString &version, QString &protocolVersion);

private:
    QDBusConnection m_connection;
    QList<Notification> m_shown;
    int m_informationRequests = 0;
};

} // namespace velorinth
