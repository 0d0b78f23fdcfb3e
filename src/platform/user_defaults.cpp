#include "user_defaults.h"

#include <cmath>

namespace velorinth {

namespace {

// Text-based stores (INI) hand numbers and booleans back as strings.
std::optional<double> numberFrom(const QVariant &value)
{
    switch (value.typeId()) {
    case QMetaType::Bool:
        return value.toBool() ? 1.0 : 0.0;
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Double:
    case QMetaType::Float:
        return value.toDouble();
    case QMetaType::QString: {
        bool ok = false;
        const double number = value.toString().trimmed().toDouble(&ok);
        if (ok && std::isfinite(number))
            return number;
        return std::nullopt;
    }
    default:
        return std::nullopt;
    }
}

} // namespace

bool UserDefaults::boolValue(const QString &key) const
{
    const QVariant value = object(key);
    if (value.typeId() == QMetaType::QString) {
        const QString text = value.toString().trimmed().toLower();
        if (text == u"true" || text == u"yes")
            return true;
    }
    return numberFrom(value).value_or(0.0) != 0.0;
}

double UserDefaults::doubleValue(const QString &key) const
{
    return numberFrom(object(key)).value_or(0.0);
}

qint64 UserDefaults::integerValue(const QString &key) const
{
    const double number = numberFrom(object(key)).value_or(0.0);
    if (number >= 9.2e18 || number <= -9.2e18)
        return 0;
    return static_cast<qint64>(number);
}

std::optional<QDateTime> UserDefaults::dateValue(const QString &key) const
{
    const QVariant value = object(key);
    if (value.typeId() != QMetaType::QDateTime || !value.toDateTime().isValid())
        return std::nullopt;
    return value.toDateTime();
}

} // namespace velorinth
