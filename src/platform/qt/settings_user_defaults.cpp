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
    // Each write flushes the file and its lock to disk, which a busy disk makes slow, and a
    // stop removes two keys on its way out at logout: removals reach the file together, on the
    // event loop's next turn or at exit. A removal lost to a crash only gives back a level the
    // stop has already given back.
    m_settings.remove(key);
}

} // namespace velorinth
