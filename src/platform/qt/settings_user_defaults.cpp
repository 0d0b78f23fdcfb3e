#include "settings_user_defaults.h"

namespace velorinth {

SettingsUserDefaults::SettingsUserDefaults()
    : m_settings(QSettings::UserScope, QStringLiteral("Velorinth"), QStringLiteral("Velorinth"))
{
}

QVariant SettingsUserDefaults::object(const QString &key) const
{
    return m_settings.value(key);
}

void SettingsUserDefaults::setObject(const QString &key, const QVariant &value)
{
    m_settings.setValue(key, value);
    m_settings.sync(); // a crash mid-session must not lose the fade recovery keys
}

void SettingsUserDefaults::remove(const QString &key)
{
    m_settings.remove(key);
    m_settings.sync();
}

} // namespace velorinth
