#pragma once

#include <QAbstractAnimation>
#include <QObject>

namespace velorinth {

// Puts every running animation under root at `milliseconds` after its start, the way a
// test sets time instead of waiting for it.
inline void setAnimationTimes(QObject *root, int milliseconds)
{
    const auto animations = root->findChildren<QAbstractAnimation *>();
    for (QAbstractAnimation *animation : animations) {
        if (animation->state() != QAbstractAnimation::Stopped)
            animation->setCurrentTime(milliseconds);
    }
}

} // namespace velorinth
