#pragma once

#include <QByteArray>

namespace velorinth {

// Sets an environment variable until the object goes, then puts back what was there.
class EnvironmentOverride
{
public:
    EnvironmentOverride(const char *name, const QByteArray &value);
    ~EnvironmentOverride();
    EnvironmentOverride(const EnvironmentOverride &) = delete;
    EnvironmentOverride &operator=(const EnvironmentOverride &) = delete;

private:
    const char *m_name;
    bool m_wasSet;
    QByteArray m_previous;
};

} // namespace velorinth
