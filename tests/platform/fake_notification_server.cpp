#include "fake_notification_server.h"

#include <QUuid>

namespace velorinth {

namespace {

const QString kService = QStringLiteral("org.freedesktop.Notifications");

} // namespace

FakeNotificationServer::FakeNotificationServer()
    : m_connection(
        QDBusConnection::connectToBus(QDBusConnection::SessionBus, QUuid::createUuid().toString()))
{
}

FakeNotificationServer::~FakeNotificationServer()
{
    m_connection.unregisterService(kService);
    QDBusConnection::disconnectFromBus(m_connection.name());
}

bool FakeNotificationServer::start()
{
    return m_connection.registerObject(QStringLiteral("/org/freedesktop/Notifications"), this,
                                       QDBusConnection::ExportAllSlots)
        && m_connection.registerService(kService);
}

uint FakeNotificationServer::Notify(const QString &appName, uint replacesId, const QString &appIcon,
                                    const QString &summary, const QString &body,
                                    const QStringList &actions, const QVariantMap &hints,
                                    int expireTimeout)
{
    m_shown << Notification{appName, replacesId, appIcon, summary,
                            body,    actions,    hints,   expireTimeout};
    return uint(m_shown.size());
}

QString FakeNotificationServer::GetServerInformation(QString &vendor, QString &version,
                                                     QString &protocolVersion)
{
    ++m_informationRequests;
    vendor = QStringLiteral("Velorinth tests");
    version = QStringLiteral("1");
    protocolVersion = QStringLiteral("1.2");
    return QStringLiteral("fake");
}

} // namespace velorinth
