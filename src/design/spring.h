#pragma once

namespace velorinth {

struct SpringState
{
    double value = 0.0;
    double velocity = 0.0; // units per second
};

// A unit-mass damped oscillator pulled towards a target:
// x'' = -w0^2 (x - target) - 2 zeta w0 x', with w0 = 2 pi / response and zeta = dampingFraction.
class Spring
{
public:
    Spring(double response, double dampingFraction);

    // Semi-implicit Euler in sub-steps of at most 4 ms, so a late frame cannot blow it up.
    [[nodiscard]] SpringState advanced(SpringState state, double target, double seconds) const;
    // Both the distance to the target and the motion are below tolerance.
    [[nodiscard]] bool isAtRest(SpringState state, double target, double tolerance) const;
    [[nodiscard]] double angularFrequency() const { return m_angularFrequency; }

private:
    double m_angularFrequency;
    double m_dampingFraction;
};

} // namespace velorinth
