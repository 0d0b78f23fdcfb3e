#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <optional>

namespace velorinth {

// The user's stored choices. Typed reads forgive: an absent key or a value of
// the wrong type reads as false, 0 or nothing, so a damaged store never stops
// the app from starting.
class UserDefaults
{
public:
    virtual ~UserDefaults() = default;

    [[nodiscard]] virtual QVariant object(const QString &key) const = 0; // invalid when absent
    virtual void setObject(const QString &key, const QVariant &value) = 0;
    // All of them in one write, done when it returns.
    virtual void remove(const QStringList &keys) = 0;

    [[nodiscard]] bool boolValue(const QString &key) const;
    [[nodiscard]] double doubleValue(const QString &key) const;
    [[nodiscard]] qint64 integerValue(const QString &key) const;
    [[nodiscard]] std::optional<QDateTime> dateValue(const QString &key) const;
};

} // namespace velorinth
