#pragma once

#include "platform/platform_paths.h"
#include "platform/sleep_command.h"

namespace velorinth {

// `pmset sleepnow`; only when it cannot be launched, System Events' sleep.
class PmsetSleepCommand final : public SleepCommand
{
public:
    explicit PmsetSleepCommand(const PlatformPaths &paths);

    void suspend(QObject *context, std::function<void(const QString &reason)> onFailure) override;

private:
    PlatformPaths m_paths;
};

} // namespace velorinth
