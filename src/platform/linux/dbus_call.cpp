#include "dbus_call.h"

#include <QDBusPendingCallWatcher>
#include <QPointer>

namespace velorinth {

void callAsync(const QDBusConnection &bus, const QDBusMessage &call, QObject *context,
               std::function<void(const QString &error)> onError)
{
    const QDBusPendingCall pending = QDBusConnection(bus).asyncCall(call);
    // Without a bus the call has failed already, and a watcher would never say so.
    if (pending.isFinished()) {
        if (pending.isError())
            QMetaObject::invokeMethod(
                context,
                [onError = std::move(onError), error = pending.error().message()] {
                    onError(error);
                },
                Qt::QueuedConnection);
        return;
    }
    auto *watcher = new QDBusPendingCallWatcher(pending);
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, watcher,
                     [receiver = QPointer<QObject>(context),
                      onError = std::move(onError)](QDBusPendingCallWatcher *finished) {
                         finished->deleteLater();
                         if (finished->isError() && receiver)
                             onError(finished->error().message());
                     });
}

} // namespace velorinth
