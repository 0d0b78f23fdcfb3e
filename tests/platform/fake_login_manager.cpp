#include "fake_login_manager.h"

#include <QUuid>

namespace velorinth {

namespace {

const QString kService = QStringLiteral("org.freedesktop.login1");

} // namespace

FakeLoginManager::FakeLoginManager(const QString &refusal)
    : m_refusal(refusal)
    , m_connection(
          QDBusConnection::connectToBus(QDBusConnection::SystemBus, QUuid::createUuid().toString()))
{
}

FakeLoginManager::~FakeLoginManager()
{
    m_connection.unregisterService(kService);
    QDBusConnection::disconnectFromBus(m_connection.name());
}

bool FakeLoginManager::start()
{
    return m_connection.registerObject(QStringLiteral("/org/freedesktop/login1"), this,
                                       QDBusConnection::ExportAllSlots)
        && m_connection.registerService(kService);
}

void FakeLoginManager::Suspend(bool interactive)
{
    m_suspendCalls << interactive;
    if (!m_refusal.isEmpty())
        sendErrorReply(QDBusError::AccessDenied, m_refusal);
}

} // namespace velorinth
