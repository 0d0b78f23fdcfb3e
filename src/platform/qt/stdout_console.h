#pragma once

#include "platform/console.h"

namespace velorinth {

class StdoutConsole final : public Console
{
public:
    void printLine(const QString &line) override;
};

} // namespace velorinth
