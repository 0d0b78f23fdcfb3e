#pragma once

#include <QDBusConnection>
#include <QDBusMessage>
#include <QObject>

#include <functional>

namespace velorinth {

// Sends a method call and returns at once. When the answer is an error,
// `onError` gets its message on the caller's thread, unless `context` is gone.
void callAsync(const QDBusConnection &bus, const QDBusMessage &call, QObject *context,
               std::function<void(const QString &error)> onError);

} // namespace velorinth
