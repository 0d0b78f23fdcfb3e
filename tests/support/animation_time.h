#pragma once

#include <QAbstractAnimation>
#include <QObject>
#include <QStringList>

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

// The animations under root that would still wake the application up, by class and
// parent: QCOMPARE(runningAnimations(&window), QStringList()) says which one did.
inline QStringList runningAnimations(QObject *root)
{
    QStringList running;
    const auto animations = root->findChildren<QAbstractAnimation *>();
    for (const QAbstractAnimation *animation : animations) {
        if (animation->state() == QAbstractAnimation::Running) {
            running.append(
                QStringLiteral("%1 in %2")
                    .arg(QString::fromLatin1(animation->metaObject()->className()),
                         QString::fromLatin1(animation->parent()->metaObject()->className())));
        }
    }
    return running;
}

} // namespace velorinth
