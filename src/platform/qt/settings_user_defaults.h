#pragma once

#include "platform/user_defaults.h"

#include <QSettings>

namespace velorinth {

// User defaults in the user's config directory (INI on Linux, the native
// store on macOS). QSettings replaces the file atomically on every sync: at
// once for a value set, with the next write or at exit for a removal.
class SettingsUserDefaults final : public UserDefaults
{
public:
    SettingsUserDefaults();

    [[nodiscard]] QVariant object(const QString &key) const override;
    void setObject(const QString &key, const QVariant &value) override;
    void remove(const QString &key) override;

private:
    mutable QSettings m_settings;
};

} // namespace velorinth
