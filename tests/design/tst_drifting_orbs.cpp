#include "design/drifting_orbs.h"

#include "design/animation.h"
#include "support/animation_time.h"

#include <QPainter>
#include <QSignalSpy>
#include <QtTest>

using namespace velorinth;

namespace {
QImage paintField(DriftingOrbs &orbs, qreal pixelRatio = 1.0)
{
    QImage image(QSize(320, 560) * pixelRatio, QImage::Format_RGB32);
    image.setDevicePixelRatio(pixelRatio);
    QPainter painter(&image);
    orbs.paint(painter, QRectF(0, 0, 320, 560));
    return image;
}

int centreBlue(const QImage &image)
{
    return image.pixelColor(image.width() / 2, image.height() / 2).blue();
}
} // namespace

class tst_DriftingOrbs : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void driftMovesTheOrbsWithoutRenderingThemAgain();
    void stoppingPutsThemBackAtOnce();
    void recolouringGlidesBetweenTheColours();
};

// Halfway through the drift every orb passes the centre of the field.
void tst_DriftingOrbs::driftMovesTheOrbsWithoutRenderingThemAgain()
{
    DriftingOrbs orbs(DriftingOrbs::windowLayout());
    const QImage resting = paintField(orbs);
    const quint64 rendered = orbs.cacheKey();
    QSignalSpy changed(&orbs, &DriftingOrbs::changed);
    orbs.setDrifting(true);
    setAnimationTimes(&orbs, 5000);
    QCOMPARE(changed.count(), 1);
    QVERIFY(centreBlue(paintField(orbs)) > centreBlue(resting) + 10);
    QCOMPARE(orbs.cacheKey(), rendered);
    QVERIFY(std::abs(centreBlue(paintField(orbs, 2.0)) - centreBlue(paintField(orbs))) <= 2);
    QVERIFY(orbs.cacheKey() != rendered);
}

void tst_DriftingOrbs::stoppingPutsThemBackAtOnce()
{
    DriftingOrbs orbs(DriftingOrbs::panelLayout(false));
    const QImage resting = paintField(orbs);
    orbs.setDrifting(true);
    setAnimationTimes(&orbs, 3000);
    paintField(orbs);
    QSignalSpy changed(&orbs, &DriftingOrbs::changed);
    orbs.setDrifting(false);
    QCOMPARE(changed.count(), 1);
    for (const QAbstractAnimation *animation : orbs.findChildren<QAbstractAnimation *>())
        QCOMPARE(animation->state(), QAbstractAnimation::Stopped);
    QCOMPARE(paintField(orbs), resting);
}

// While a session runs the panel's front circle turns from purple to blue.
void tst_DriftingOrbs::recolouringGlidesBetweenTheColours()
{
    DriftingOrbs orbs(DriftingOrbs::panelLayout(false));
    const QColor idle = paintField(orbs).pixelColor(200, 320);
    orbs.recolour(DriftingOrbs::panelLayout(true), Animation::linear(1.0));
    setAnimationTimes(&orbs, 500);
    const QColor halfway = paintField(orbs).pixelColor(200, 320);
    setAnimationTimes(&orbs, 1000);
    const QColor running = paintField(orbs).pixelColor(200, 320);
    QVERIFY(running.red() < halfway.red() && halfway.red() < idle.red());
}

QTEST_MAIN(tst_DriftingOrbs)
#include "tst_drifting_orbs.moc"
