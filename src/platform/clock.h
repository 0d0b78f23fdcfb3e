#pragma once

#include <QDateTime>
#include <QObject>

#include <chrono>
#include <functional>
#include <memory>

namespace velorinth {

// A running repeating timer; destroying the handle stops it.
class RepeatingTimer
{
public:
    virtual ~RepeatingTimer() = default;
};

// Wall-clock time and the timers that the engine runs on the UI thread.
class Clock
{
public:
    virtual ~Clock() = default;

    // In UTC or local time, as the clock likes (the real one tells UTC): convert it to read
    // the wall clock.
    [[nodiscard]] virtual QDateTime now() const = 0;
    [[nodiscard]] virtual std::unique_ptr<RepeatingTimer>
    startRepeating(std::chrono::milliseconds interval, std::function<void()> tick) = 0;
    // Runs `task` once after `delay`, unless `context` is destroyed first.
    virtual void runLater(std::chrono::milliseconds delay, QObject *context,
                          std::function<void()> task) = 0;
};

} // namespace velorinth
