#include "design/spring.h"

#include <cmath>
#include <numbers>

namespace velorinth {

namespace {
constexpr double kMaxStep = 0.004;
}

Spring::Spring(double response, double dampingFraction)
    : m_angularFrequency(2.0 * std::numbers::pi / response)
    , m_dampingFraction(dampingFraction)
{
}

SpringState Spring::advanced(SpringState state, double target, double seconds) const
{
    if (!(seconds > 0.0))
        return state;
    const int steps = static_cast<int>(std::ceil(seconds / kMaxStep));
    const double step = seconds / steps;
    const double stiffness = m_angularFrequency * m_angularFrequency;
    const double damping = 2.0 * m_dampingFraction * m_angularFrequency;
    for (int i = 0; i < steps; ++i) {
        const double acceleration = -stiffness * (state.value - target) - damping * state.velocity;
        state.velocity += acceleration * step;
        state.value += state.velocity * step;
    }
    return state;
}

bool Spring::isAtRest(SpringState state, double target, double tolerance) const
{
    // Velocity over w0 is the distance the motion would still carry the value.
    return std::abs(state.value - target) <= tolerance
        && std::abs(state.velocity) / m_angularFrequency <= tolerance;
}

} // namespace velorinth
