#pragma once

#include "design/animation.h"

#include <QAbstractAnimation>

class QWidget;

namespace velorinth {

// A number that moves towards its target with an Animation. Widgets keep their state and
// read value() in paintEvent; this keeps the number. It runs on Qt's shared animation
// timer (duration -1, it stops itself once there), so nothing ticks while nothing moves.
class AnimatedValue : public QAbstractAnimation
{
    Q_OBJECT

public:
    explicit AnimatedValue(double value, QObject *parent = nullptr);
    // One that belongs to widget and repaints it whenever it moves.
    [[nodiscard]] static AnimatedValue *repainting(double value, QWidget *widget);

    // Moves from what is shown now. A spring keeps the current velocity, so re-aiming a
    // running animation never jumps. Aiming at the target it already has changes nothing:
    // models announce equal values, and a restart would stutter.
    void animateTo(double target, const Animation &animation);
    // Jumps there and stops any motion.
    void setValue(double value);

    // Where the motion stands as last announced, as a Glide's: what the owner paints.
    [[nodiscard]] double value() const { return m_value; }
    [[nodiscard]] double target() const { return m_target; }
    [[nodiscard]] double velocity() const;
    [[nodiscard]] int duration() const override { return -1; }

Q_SIGNALS:
    void valueChanged(double value);

protected:
    void updateCurrentTime(int currentTime) override;

private:
    void stepSpring(int currentTime);
    void show(double value);
    void finish();

    Animation m_animation = Animation::linear(0.0);
    double m_from;
    double m_target;
    double m_value;
    double m_springVelocity = 0.0;
    double m_restTolerance = 0.0;
    int m_lastTime = 0;
};

} // namespace velorinth
