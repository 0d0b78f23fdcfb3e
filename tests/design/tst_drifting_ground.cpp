#include "design/drifting_ground.h"

#include "support/animation_time.h"

#include <QtTest>

using namespace velorinth;

class tst_DriftingGround : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void hiddenStarsHoldStill();
};

// In a window on screen and active, stars that are not shown cost no wake-ups.
void tst_DriftingGround::hiddenStarsHoldStill()
{
    DriftingGround ground(DriftingOrbs::panelLayout(false), 10, 0.15);
    ground.setStarsShown(false, Animation::none());
    ground.show();
    ground.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&ground));
    QCOMPARE(runningAnimations(&ground), QStringList());
    ground.setStarsShown(true, Animation::none());
    QCOMPARE(runningAnimations(&ground),
             QStringList(QStringLiteral("velorinth::FrameClock in velorinth::Starfield")));
    ground.setStarsShown(false, Animation::none());
    QCOMPARE(runningAnimations(&ground), QStringList());
}

QTEST_MAIN(tst_DriftingGround)
#include "tst_drifting_ground.moc"
