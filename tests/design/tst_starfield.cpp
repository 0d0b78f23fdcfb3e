#include "design/starfield.h"

#include "design/frame_clock.h"
#include "support/animation_time.h"

#include <QPainter>
#include <QSignalSpy>
#include <QtTest>

using namespace velorinth;

namespace {
const QSize kField(320, 560);

QImage paintField(const Starfield &field, const QRectF &frame = QRectF(QPointF(), kField),
                  qreal ratio = 1.0, qreal opacity = 1.0)
{
    QImage image(qCeil(frame.right() * ratio), qCeil(frame.bottom() * ratio),
                 QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setOpacity(opacity);
    field.paint(painter, frame);
    return image;
}

// What the field asks to repaint, and how often its clock ticks, over a few seconds of
// twinkling a frame at a time.
std::pair<QList<QRegion>, int> twinkle(Starfield &field)
{
    QSignalSpy changed(&field, &Starfield::changed);
    QSignalSpy ticks(field.findChild<FrameClock *>(), &FrameClock::ticked);
    for (int time = 0; time <= 6000; time += 16)
        setAnimationTimes(&field, time);
    QList<QRegion> areas;
    for (const QList<QVariant> &signal : changed)
        areas.append(signal.first().value<QRegion>());
    return {areas, int(ticks.count())};
}

int litPixels(const QImage &image)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            count += image.pixelColor(x, y).alpha() > 0 ? 1 : 0;
    }
    return count;
}
} // namespace

class tst_Starfield : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void starsAreDrawnWithinTheirRanges();
    void everyConstructionDrawsNewStars();
    void emptyOrNegativeDensityDrawsNothing_data();
    void emptyOrNegativeDensityDrawsNothing();
    void starsRestAtHalfUntilTheirDelayThenTwinkle();
    void twinkleRepaintsOnlyThatStar();
    void aGrabElsewhereLeavesTheNextRepaint_data();
    void aGrabElsewhereLeavesTheNextRepaint();
};

void tst_Starfield::starsAreDrawnWithinTheirRanges()
{
    Starfield field(500);
    QCOMPARE(field.stars().size(), size_t(500));
    for (int i = 0; i < 500; ++i) {
        const Starfield::Star &star = field.stars()[i];
        QCOMPARE(star.id, i);
        QVERIFY(star.size >= 1.0 && star.size <= 2.0);
        QVERIFY(star.xPercent >= 0.0 && star.xPercent <= 1.0);
        QVERIFY(star.yPercent >= 0.0 && star.yPercent <= 1.0);
        QVERIFY(star.opacity >= 0.1 && star.opacity <= 0.7);
        QVERIFY(star.animationDuration >= 2.0 && star.animationDuration <= 5.0);
        QVERIFY(star.animationDelay >= 0.0 && star.animationDelay <= 2.0);
    }
}

void tst_Starfield::everyConstructionDrawsNewStars()
{
    const Starfield first(10);
    const Starfield second(10);
    QVERIFY(first.stars()[0].xPercent != second.stars()[0].xPercent);
}

void tst_Starfield::emptyOrNegativeDensityDrawsNothing_data()
{
    QTest::addColumn<int>("density");
    QTest::newRow("none") << 0;
    QTest::newRow("negative") << -3;
}

void tst_Starfield::emptyOrNegativeDensityDrawsNothing()
{
    QFETCH(int, density);
    Starfield field(density);
    field.start();
    QVERIFY(field.stars().empty());
    QCOMPARE(litPixels(paintField(field)), 0);
}

void tst_Starfield::starsRestAtHalfUntilTheirDelayThenTwinkle()
{
    Starfield field(20);
    for (const Starfield::Star &star : field.stars())
        QCOMPARE(field.currentOpacity(star.id), star.opacity * 0.5);
    field.start();
    auto *clock = field.findChild<QAbstractAnimation *>();
    for (const Starfield::Star &star : field.stars()) {
        const int delay = int(star.animationDelay * 1000);
        const int pass = int(star.animationDuration * 1000);
        clock->setCurrentTime(delay);
        QCOMPARE(field.currentOpacity(star.id), star.opacity * 0.5);
        clock->setCurrentTime(delay + pass);
        QVERIFY(std::abs(field.currentOpacity(star.id) - star.opacity) < 2e-3);
        clock->setCurrentTime(delay + 2 * pass);
        QVERIFY(std::abs(field.currentOpacity(star.id) - star.opacity * 0.5) < 2e-3);
    }
}

void tst_Starfield::twinkleRepaintsOnlyThatStar()
{
    Starfield field(1);
    field.setSize(kField);
    const Starfield::Star star = field.stars()[0];
    const QPoint centre(qFloor(star.xPercent * kField.width()),
                        qFloor(star.yPercent * kField.height()));
    const QImage resting = paintField(field);
    QSignalSpy changed(&field, &Starfield::changed);
    field.start();
    setAnimationTimes(&field, int((star.animationDelay + star.animationDuration) * 1000));
    QVERIFY(changed.count() > 0);
    const QRegion area = changed.last().at(0).value<QRegion>();
    QVERIFY(area.contains(centre));
    QVERIFY(area.boundingRect().width() <= 6);
    const QImage bright = paintField(field);
    QVERIFY(bright.pixelColor(centre.x(), centre.y()).alpha()
            > resting.pixelColor(centre.x(), centre.y()).alpha());
}

void tst_Starfield::aGrabElsewhereLeavesTheNextRepaint_data()
{
    QTest::addColumn<QRectF>("frame");
    QTest::addColumn<qreal>("ratio");
    QTest::addColumn<qreal>("opacity");
    const QRectF field(QPointF(), kField);
    QTest::newRow("at another place") << field.translated(37.5, 11) << 1.0 << 0.15;
    QTest::newRow("at another size") << QRectF(0, 0, 100, 80) << 1.0 << 0.15;
    QTest::newRow("at twice the ratio") << field << 2.0 << 0.15;
    // Seven times brighter: each star would be looked at seven times as often.
    QTest::newRow("at full opacity") << field << 1.0 << 1.0;
}

void tst_Starfield::aGrabElsewhereLeavesTheNextRepaint()
{
    QFETCH(QRectF, frame);
    QFETCH(qreal, ratio);
    QFETCH(qreal, opacity);
    Starfield grabbed(40);
    Starfield reference(grabbed.stars());
    for (Starfield *field : {&grabbed, &reference}) {
        field->setSize(kField);
        field->setOpacity(0.15);
        field->start();
        paintField(*field, QRectF(QPointF(), kField), 1.0, 0.15);
    }
    const QImage grab = paintField(grabbed, frame, ratio, opacity);
    QVERIFY(!grab.isNull());
    QCOMPARE(twinkle(grabbed), twinkle(reference));
    QCOMPARE(paintField(grabbed), paintField(reference));
}

QTEST_MAIN(tst_Starfield)
#include "tst_starfield.moc"
