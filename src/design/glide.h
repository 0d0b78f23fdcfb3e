#pragma once

#include "design/animation.h"

#include <QObject>

namespace velorinth {

class FrameClock;

// AnimatedValue's counterpart for slow timed curves (a countdown's arc, a pulse): a number
// gliding to its target, announced only once it has moved a visible step from what was
// last announced, on arrival, and at each turn of a repeating curve (its ends). Between
// steps its clock sleeps, so it costs a wake-up per step shown rather than one per frame.
// To Qt it is a pause, so that the animation timer may sleep, where an AnimatedValue is a
// running animation that stops itself: hence two classes. Springs are AnimatedValue's.
class Glide : public QObject
{
    Q_OBJECT

public:
    explicit Glide(double value, QObject *parent = nullptr);

    // From the value now. An instant animation jumps there; aiming at the target it
    // already has changes nothing, as AnimatedValue.
    void animateTo(double target, const Animation &animation);
    // The smallest move worth announcing; 0 announces every frame's.
    void setStep(double step);
    // Where the glide stands as last announced, as AnimatedValue's: what the owner paints.
    // It trails the curve by less than a step.
    [[nodiscard]] double value() const { return m_announced; }
    [[nodiscard]] double target() const { return m_to; }
    [[nodiscard]] FrameClock *clock() const { return m_clock; }

Q_SIGNALS:
    void valueChanged(double value);

private:
    [[nodiscard]] double valueAt(double seconds) const;
    // Of a repeating curve: how many passes have begun.
    [[nodiscard]] int pass(double seconds) const;
    void ticked();
    void announce(double value);

    FrameClock *m_clock;
    Animation m_animation = Animation::none();
    double m_from;
    double m_to;
    double m_announced;
    int m_announcedPass = 0;
    double m_step = 0.0;
};

} // namespace velorinth
