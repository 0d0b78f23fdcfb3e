#pragma once

#include "design/animation.h"

#include <QObject>

namespace velorinth {

class FrameClock;

// A number gliding to its target along a timed curve, announced only once it has moved a
// visible step from what was last announced, on arrival, and at each turn of a repeating
// curve (its ends). Between steps its clock sleeps, so a slow glide (a countdown's arc, a
// pulse) costs a wake-up per step shown rather than one per frame. Springs are
// AnimatedValue's business.
class Glide : public QObject
{
    Q_OBJECT

public:
    explicit Glide(double value, QObject *parent = nullptr);

    // From the value now. An instant animation jumps there; aiming at the target it
    // already has changes nothing, as AnimatedValue.
    void glideTo(double target, const Animation &animation);
    // The smallest move worth announcing; 0 announces every frame's.
    void setStep(double step);
    [[nodiscard]] double value() const;
    [[nodiscard]] double target() const { return m_to; }
    [[nodiscard]] FrameClock *clock() const { return m_clock; }

Q_SIGNALS:
    void moved(double value);

private:
    [[nodiscard]] double valueAt(double seconds) const;
    [[nodiscard]] bool isOver(double seconds) const;
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
