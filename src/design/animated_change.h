#pragma once

#include "design/animation.h"

#include <utility>

namespace velorinth {

// Marks the changes made while it lives as one animated change: every animatable setter
// reached from here, however deep through the model's signals, picks `animation` through
// currentAnimation(). Scopes nest; the innermost one wins. Main thread only.
class AnimatedChange
{
public:
    explicit AnimatedChange(const Animation &animation);
    ~AnimatedChange();
    AnimatedChange(const AnimatedChange &) = delete;
    AnimatedChange &operator=(const AnimatedChange &) = delete;

    // The innermost scope's animation, else Animation::none().
    [[nodiscard]] static Animation current();

private:
    Animation m_animation;
    const AnimatedChange *m_outer;
};

// animated(DesignSystem::Animations::spring, [&] { manager.startTimer(); });
template<typename F>
void animated(const Animation &animation, F &&change)
{
    const AnimatedChange scope(animation);
    std::forward<F>(change)();
}

// The default of every animatable setter: the enclosing animated change's animation, or
// an instant change outside any.
[[nodiscard]] inline Animation currentAnimation()
{
    return AnimatedChange::current();
}

} // namespace velorinth
