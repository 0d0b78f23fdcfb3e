#pragma once

#include <QString>

namespace velorinth {

// Where lesser failures are reported: one line each on standard output.
class Console
{
public:
    virtual ~Console() = default;

    virtual void printLine(const QString &line) = 0;
};

} // namespace velorinth
