#pragma once

#include <QPauseAnimation>

#include <functional>

namespace velorinth {

// Time for things that move by a formula rather than towards a target, on Qt's shared
// animation timer, never on a timer of its own. It ticks at every frame while running,
// like every AnimatedValue, unless its owner lets it sleep: a slow motion that shows a new
// step only now and then says when it next needs a tick, and until then the clock wakes
// nothing up. It is a pause to Qt, which lets the timer sleep while only pauses run.
class FrameClock : public QPauseAnimation
{
    Q_OBJECT

public:
    explicit FrameClock(QObject *parent = nullptr);

    // Never ends (in practice: 24 days).
    [[nodiscard]] int duration() const override;
    [[nodiscard]] double seconds() const { return currentTime() / 1000.0; }
    // No tick before `milliseconds` from now; the next one comes with the first frame
    // after that. Starting the clock again ticks at every frame.
    void tickIn(int milliseconds);
    // Sleeps until the first frame at which due(seconds) holds, looked for a frame at a
    // time, and at most `longest` milliseconds.
    void tickWhen(const std::function<bool(double seconds)> &due, int longest = 1000);

Q_SIGNALS:
    void ticked();

protected:
    void updateCurrentTime(int time) override;
    void updateState(State newState, State oldState) override;

private:
    // What asks Qt for frames while the clock is awake: a pause alone never does.
    class Beat : public QAbstractAnimation
    {
    public:
        [[nodiscard]] int duration() const override { return -1; }

    protected:
        void updateCurrentTime(int) override { }
    };

    // Runs the beat while awake, or an alarm for the end of the sleep.
    void follow();

    Beat m_beat;
    QPauseAnimation m_alarm;
    int m_due = 0; // the clock's time of the next tick
    int m_sleptAt = 0; // its time when it last went to sleep
};

} // namespace velorinth
