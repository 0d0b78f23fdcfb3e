#pragma once

#include "platform/user_defaults.h"

#include <QVariantMap>

namespace velorinth {

// User defaults held in memory; tests read and plant values directly.
class MemoryUserDefaults final : public UserDefaults
{
public:
    [[nodiscard]] QVariant object(const QString &key) const override { return values.value(key); }
    void setObject(const QString &key, const QVariant &value) override
    {
        values.insert(key, value);
        ++writes;
    }
    void remove(const QStringList &keys) override
    {
        for (const QString &key : keys)
            values.remove(key);
    }

    QVariantMap values;
    int writes = 0;
};

} // namespace velorinth
