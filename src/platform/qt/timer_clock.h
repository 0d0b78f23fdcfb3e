#pragma once

#include "platform/clock.h"

namespace velorinth {

// The real clock: QDateTime for now, precise QTimers for ticks and delays.
class TimerClock final : public Clock
{
public:
    [[nodiscard]] QDateTime now() const override;
    [[nodiscard]] std::unique_ptr<RepeatingTimer>
    startRepeating(std::chrono::milliseconds interval, std::function<void()> tick) override;
    void runLater(std::chrono::milliseconds delay, QObject *context,
                  std::function<void()> task) override;
};

} // namespace velorinth
