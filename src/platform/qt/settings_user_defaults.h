#pragma once

#include "platform/user_defaults.h"

#include <QSettings>

namespace velorinth {

// User defaults in the user's config directory (INI on Linux, the native
// store on macOS). QSettings replaces the file atomically on every sync, done
// before each change returns.
class SettingsUserDefaults final : public UserDefaults
{
public:
    SettingsUserDefaults();

    [[nodiscard]] QVariant object(const QString &key) const override;
    void setObject(const QString &key, const QVariant &value) override;
    void remove(const QStringList &keys) override;

private:
    mutable QSettings m_settings;
};

} // namespace velorinth
