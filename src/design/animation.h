#pragma once

namespace velorinth {

// How a change of a value moves: a timed curve or a spring, optionally delayed and
// repeated. A plain value; AnimatedValue plays it.
class Animation
{
public:
    enum class Curve { Linear, EaseIn, EaseOut, EaseInOut, Spring };

    [[nodiscard]] static constexpr Animation linear(double duration)
    {
        return {Curve::Linear, duration};
    }
    [[nodiscard]] static constexpr Animation easeIn(double duration)
    {
        return {Curve::EaseIn, duration};
    }
    [[nodiscard]] static constexpr Animation easeOut(double duration)
    {
        return {Curve::EaseOut, duration};
    }
    [[nodiscard]] static constexpr Animation easeInOut(double duration)
    {
        return {Curve::EaseInOut, duration};
    }
    // The platform's own animation, for changes that ask for "the default".
    [[nodiscard]] static constexpr Animation systemDefault() { return easeInOut(0.35); }
    // An instant change: the value is there at once.
    [[nodiscard]] static constexpr Animation none() { return linear(0.0); }

    // A damped oscillator: response is the period of the undamped spring in seconds,
    // dampingFraction its damping ratio (1 = critically damped, below 1 overshoots).
    [[nodiscard]] static constexpr Animation spring(double response, double dampingFraction = 0.825)
    {
        Animation animation{Curve::Spring, 0.0};
        animation.m_response = response;
        animation.m_dampingFraction = dampingFraction;
        return animation;
    }
    // Meant for values that follow the pointer; the same oscillator as spring().
    [[nodiscard]] static constexpr Animation interactiveSpring(double response,
                                                               double dampingFraction)
    {
        return spring(response, dampingFraction);
    }

    // Runs the curve again and again; with autoreverses every other pass runs backwards,
    // without it each pass starts over from the beginning. Timed curves only.
    [[nodiscard]] constexpr Animation repeatedForever(bool autoreverses = true) const
    {
        Animation animation = *this;
        animation.m_repeatsForever = true;
        animation.m_autoreverses = autoreverses;
        return animation;
    }
    [[nodiscard]] constexpr Animation delayed(double seconds) const
    {
        Animation animation = *this;
        animation.m_delay = seconds;
        return animation;
    }

    [[nodiscard]] constexpr Curve curve() const { return m_curve; }
    [[nodiscard]] constexpr bool isSpring() const { return m_curve == Curve::Spring; }
    [[nodiscard]] constexpr double duration() const { return m_duration; }
    [[nodiscard]] constexpr double response() const { return m_response; }
    [[nodiscard]] constexpr double dampingFraction() const { return m_dampingFraction; }
    [[nodiscard]] constexpr bool repeatsForever() const { return m_repeatsForever; }
    [[nodiscard]] constexpr bool autoreverses() const { return m_autoreverses; }
    [[nodiscard]] constexpr double delay() const { return m_delay; }
    // Nothing to play: no spring, no time, no delay.
    [[nodiscard]] constexpr bool isInstant() const
    {
        return !isSpring() && m_duration <= 0.0 && m_delay <= 0.0;
    }
    // Eased progress from 0 to 1 of a timed curve, `seconds` after it began: delay,
    // repeats and reversing passes included.
    [[nodiscard]] double progressAt(double seconds) const;
    // Whether a timed curve has run its course `seconds` after it began; a repeating one
    // never has.
    [[nodiscard]] bool isOverAt(double seconds) const;
    // A number that set off from `from` towards `to` on this timed curve, `seconds` later:
    // `to` once the curve is over. Every player of a timed curve asks this.
    [[nodiscard]] double valueAt(double from, double to, double seconds) const;

private:
    constexpr Animation(Curve curve, double duration)
        : m_curve(curve)
        , m_duration(duration)
    {
    }

    Curve m_curve;
    double m_duration;
    double m_response = 0.0;
    double m_dampingFraction = 1.0;
    bool m_repeatsForever = false;
    bool m_autoreverses = false;
    double m_delay = 0.0;
};

} // namespace velorinth
