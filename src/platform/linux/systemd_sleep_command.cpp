#include "systemd_sleep_command.h"

#include "dbus_call.h"
#include "platform/qt/child_process.h"

namespace velorinth {

namespace {

void suspendThroughLogind(QObject *context, std::function<void(const QString &reason)> onFailure)
{
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.login1"), QStringLiteral("/org/freedesktop/login1"),
        QStringLiteral("org.freedesktop.login1.Manager"), QStringLiteral("Suspend"));
    call << true; // interactive: polkit may ask the user
    callAsync(QDBusConnection::systemBus(), call, context, std::move(onFailure));
}

} // namespace

void SystemdSleepCommand::suspend(QObject *context,
                                  std::function<void(const QString &reason)> onFailure)
{
    runProcess(QStringLiteral("systemctl"), {QStringLiteral("suspend")}, context,
               [context, onFailure = std::move(onFailure)](const ProcessFailure &failure) {
                   if (failure)
                       suspendThroughLogind(context, onFailure);
               });
}

} // namespace velorinth
