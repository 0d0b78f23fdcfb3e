#include "design/timeline.h"

#include "design/animated_change.h"

#include <QCoreApplication>

#include <algorithm>
#include <cmath>

namespace velorinth {

namespace {
int milliseconds(double seconds)
{
    return static_cast<int>(std::lround(seconds * 1000.0));
}
} // namespace

Timeline::Timeline(std::vector<Step> steps, QObject *parent)
    : QAbstractAnimation(parent)
    , m_steps(std::move(steps))
{
    std::stable_sort(m_steps.begin(), m_steps.end(),
                     [](const Step &a, const Step &b) { return a.delay < b.delay; });
}

Timeline *Timeline::play(std::vector<Step> steps, QObject *owner)
{
    auto *timeline = new Timeline(std::move(steps), owner ? owner : QCoreApplication::instance());
    timeline->start(QAbstractAnimation::DeleteWhenStopped);
    return timeline;
}

int Timeline::duration() const
{
    return m_steps.empty() ? 0 : milliseconds(m_steps.back().delay);
}

void Timeline::updateCurrentTime(int currentTime)
{
    // A late frame may pass several steps at once: they still run one by one, in order.
    while (m_next < m_steps.size() && milliseconds(m_steps[m_next].delay) <= currentTime) {
        const Step &step = m_steps[m_next++];
        animated(step.animation, step.change);
    }
}

} // namespace velorinth
