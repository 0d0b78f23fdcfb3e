#include "design/animated_change.h"

namespace velorinth {

namespace {
// Views live on the main thread, so one chain of scopes is enough.
const AnimatedChange *innermost = nullptr;
} // namespace

AnimatedChange::AnimatedChange(const Animation &animation)
    : m_animation(animation)
    , m_outer(innermost)
{
    innermost = this;
}

AnimatedChange::~AnimatedChange()
{
    innermost = m_outer;
}

Animation AnimatedChange::current()
{
    return innermost ? innermost->m_animation : Animation::none();
}

} // namespace velorinth
