#pragma once

#include <QAbstractAnimation>

namespace velorinth {

// Time for things that move by a formula rather than towards a target: ticks on Qt's
// shared animation timer while running, like every AnimatedValue, and never on its own.
class FrameClock : public QAbstractAnimation
{
    Q_OBJECT

public:
    using QAbstractAnimation::QAbstractAnimation;

    [[nodiscard]] int duration() const override { return -1; }
    [[nodiscard]] double seconds() const { return currentTime() / 1000.0; }

Q_SIGNALS:
    void ticked();

protected:
    void updateCurrentTime(int) override { Q_EMIT ticked(); }
};

} // namespace velorinth
