#pragma once

#include "platform/sleep_command.h"

namespace velorinth {

// `systemctl suspend`, watched without blocking; when it cannot run or fails
// (denied, inhibited), logind's Suspend method on the system bus.
class SystemdSleepCommand final : public SleepCommand
{
public:
    void suspend(QObject *context, std::function<void(const QString &reason)> onFailure) override;
};

} // namespace velorinth
