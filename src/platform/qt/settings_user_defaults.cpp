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

void SettingsUserDefaults::remove(const QStringList &keys)
{
    for (const QString &key : keys)
        m_settings.remove(key);
    // A recovery key left behind by a crash would turn the sound back up at the next launch.
    // One sync for all: each flushes the file and its lock to disk, slow on a busy disk.
    m_settings.sync();
}

} // namespace velorinth
