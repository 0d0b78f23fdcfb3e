#include "freedesktop_notifier.h"

#include "dbus_call.h"

#include <QVariantMap>

namespace velorinth {

namespace {

// The names under which the app installs its icon and its menu entry (velorinth.desktop):
// the server shows the app's icon and files the notification under the app.
const QString kInstalledName = QStringLiteral("velorinth");

QDBusMessage notificationsCall(const QString &method)
{
    return QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.Notifications"),
                                          QStringLiteral("/org/freedesktop/Notifications"),
                                          QStringLiteral("org.freedesktop.Notifications"), method);
}

void show(const NotificationRequest &request)
{
    QDBusMessage call = notificationsCall(QStringLiteral("Notify"));
    const QVariantMap hints{{QStringLiteral("sound-name"), QStringLiteral("message-new-instant")},
                            {QStringLiteral("desktop-entry"), kInstalledName}};
    call << QStringLiteral("Velorinth") << quint32(0) << kInstalledName << request.title
         << request.body << QStringList() << hints << qint32(-1);
    // Fire and forget: the app has nothing to do when a reminder could not be shown.
    QDBusConnection::sessionBus().send(call);
}

} // namespace

FreedesktopNotifier::FreedesktopNotifier()
    : m_schedule(show)
{
}

void FreedesktopNotifier::requestAuthorization(QObject *context,
                                               std::function<void(const QString &error)> onError)
{
    callAsync(QDBusConnection::sessionBus(),
              notificationsCall(QStringLiteral("GetServerInformation")), context,
              std::move(onError));
}

void FreedesktopNotifier::add(const NotificationRequest &request)
{
    m_schedule.add(request);
}

void FreedesktopNotifier::removeAllPending()
{
    m_schedule.clear();
}

} // namespace velorinth
