#pragma once

#include <QtGlobal>

namespace velorinth {

// A tiny seeded generator (the multiplier and increment of Knuth's MMIX), so that the
// splash's streaks are the same on every run.
class LCG
{
public:
    explicit constexpr LCG(quint64 seed)
        : m_state(seed)
    {
    }

    // Unsigned arithmetic wraps modulo 2^64, as the generator needs.
    constexpr quint64 next()
    {
        m_state = m_state * kMultiplier + kIncrement;
        return m_state;
    }
    // The top 53 bits as a fraction in [0, 1): every double on that grid is exact.
    constexpr double next01() { return static_cast<double>(next() >> 11) / kTwoToThe53; }

private:
    static constexpr quint64 kMultiplier = 6364136223846793005ULL;
    static constexpr quint64 kIncrement = 1442695040888963407ULL;
    static constexpr double kTwoToThe53 = 9007199254740992.0;

    quint64 m_state;
};

} // namespace velorinth
