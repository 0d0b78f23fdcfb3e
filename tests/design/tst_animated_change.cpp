#include "design/animated_change.h"

#include <QtTest>

using namespace velorinth;

class tst_AnimatedChange : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void innermostScopeWinsUntilItEnds();
};

void tst_AnimatedChange::innermostScopeWinsUntilItEnds()
{
    QVERIFY(currentAnimation().isInstant());
    animated(Animation::easeIn(0.3), [] {
        animated(Animation::spring(0.5), [] { QVERIFY(currentAnimation().isSpring()); });
        QCOMPARE(currentAnimation().duration(), 0.3);
    });
    QVERIFY(currentAnimation().isInstant());
}

QTEST_GUILESS_MAIN(tst_AnimatedChange)
#include "tst_animated_change.moc"
