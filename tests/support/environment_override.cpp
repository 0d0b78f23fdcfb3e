#include "support/environment_override.h"

#include <QtGlobal>

namespace velorinth {

EnvironmentOverride::EnvironmentOverride(const char *name, const QByteArray &value)
    : m_name(name)
    , m_wasSet(qEnvironmentVariableIsSet(name))
    , m_previous(qgetenv(name))
{
    qputenv(name, value);
}

EnvironmentOverride::~EnvironmentOverride()
{
    if (m_wasSet)
        qputenv(m_name, m_previous);
    else
        qunsetenv(m_name);
}

} // namespace velorinth
