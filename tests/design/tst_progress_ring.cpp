#include "design/progress_ring.h"

#include <QAbstractAnimation>
#include <QPainter>
#include <QSignalSpy>
#include <QtTest>

using namespace velorinth;

namespace {
// Lets the ring's glide run its course, a frame at a time; what it asked to repaint.
QList<QRectF> glideAndCollect(ProgressRing &ring, double to)
{
    QSignalSpy changed(&ring, &ProgressRing::changed);
    ring.setProgress(to);
    auto *clock = ring.findChild<QAbstractAnimation *>();
    for (int time = 0; time <= 1032; time += 16)
        clock->setCurrentTime(time);
    QList<QRectF> areas;
    for (const QList<QVariant> &signal : changed)
        areas.append(signal.first().toRectF());
    return areas;
}

// The ring on black at frame, within clip when there is one, as a repaint would.
void paintRing(QImage &image, const ProgressRing &ring, const QRectF &frame,
               const QRegion &clip = {})
{
    QPainter painter(&image);
    if (!clip.isEmpty())
        painter.setClipRegion(clip);
    painter.fillRect(image.rect(), Qt::black);
    ring.paint(painter, frame);
}

int largestDifference(const QImage &a, const QImage &b)
{
    int largest = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QColor p = a.pixelColor(x, y);
            const QColor q = b.pixelColor(x, y);
            largest = std::max({largest, std::abs(p.red() - q.red()),
                                std::abs(p.green() - q.green()), std::abs(p.blue() - q.blue())});
        }
    }
    return largest;
}
} // namespace

class tst_ProgressRing : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void glidesLinearlyOverASecond_data();
    void glidesLinearlyOverASecond();
    void glidesInTheFinerStep_data();
    void glidesInTheFinerStep();
    void aGrabElsewhereLeavesTheNextRepaint_data();
    void aGrabElsewhereLeavesTheNextRepaint();
    void partialRepaintMatchesAWholeOne_data();
    void partialRepaintMatchesAWholeOne();
};

void tst_ProgressRing::glidesLinearlyOverASecond_data()
{
    QTest::addColumn<int>("time");
    QTest::addColumn<double>("shown");
    QTest::newRow("start") << 0 << 1.0;
    QTest::newRow("quarter") << 250 << 0.875;
    QTest::newRow("half") << 500 << 0.75;
    QTest::newRow("end") << 1000 << 0.5;
}

void tst_ProgressRing::glidesLinearlyOverASecond()
{
    QFETCH(int, time);
    QFETCH(double, shown);
    ProgressRing ring(220, 6, 2, 1.0);
    ring.setProgress(0.5);
    ring.findChild<QAbstractAnimation *>()->setCurrentTime(time);
    QCOMPARE(ring.shownProgress(), shown);
}

void tst_ProgressRing::glidesInTheFinerStep_data()
{
    QTest::addColumn<double>("ownerStep");
    QTest::addColumn<int>("fewest");
    QTest::addColumn<int>("most");
    // A hundredth of the turn is about thirteen of the small ring's own steps, and a step
    // of the owner's every other frame.
    QTest::newRow("the ring's own, where the owner's is coarser") << 0.01 << 12 << 15;
    QTest::newRow("the owner's, where it is finer") << 0.0002 << 25 << 40;
}

void tst_ProgressRing::glidesInTheFinerStep()
{
    QFETCH(double, ownerStep);
    QFETCH(int, fewest);
    QFETCH(int, most);
    ProgressRing ring(52, 3, 3, 0.5);
    ring.setOwnerStep(ownerStep);
    QSignalSpy shown(&ring, &ProgressRing::shownProgressChanged);
    glideAndCollect(ring, 0.49);
    QCOMPARE_GE(shown.count(), fewest);
    QCOMPARE_LE(shown.count(), most);
    QCOMPARE(shown.last().first().toDouble(), 0.49);
}

void tst_ProgressRing::aGrabElsewhereLeavesTheNextRepaint_data()
{
    QTest::addColumn<QPointF>("offset");
    QTest::addColumn<qreal>("ratio");
    QTest::newRow("a grab at another place") << QPointF(37.5, 11) << 1.0;
    QTest::newRow("a grab at twice the ratio") << QPointF(0, 0) << 2.0;
}

void tst_ProgressRing::aGrabElsewhereLeavesTheNextRepaint()
{
    QFETCH(QPointF, offset);
    QFETCH(qreal, ratio);
    const QRectF frame(0, 0, 52, 52);
    ProgressRing grabbed(52, 3, 3, 0.8);
    ProgressRing reference(52, 3, 3, 0.8);
    for (ProgressRing *ring : {&grabbed, &reference}) {
        QImage screen(64, 64, QImage::Format_ARGB32_Premultiplied);
        paintRing(screen, *ring, frame);
    }
    QImage grab(QSize(120, 120) * ratio, QImage::Format_ARGB32_Premultiplied);
    grab.setDevicePixelRatio(ratio);
    paintRing(grab, grabbed, frame.translated(offset));
    // Same places, and as many repaints: a step finer at twice the ratio makes more.
    QCOMPARE(glideAndCollect(grabbed, 0.6), glideAndCollect(reference, 0.6));
}

void tst_ProgressRing::partialRepaintMatchesAWholeOne_data()
{
    QTest::addColumn<double>("from");
    QTest::addColumn<double>("to");
    QTest::addColumn<QRect>("alsoRepainted"); // by the owner, as the digits
    QTest::newRow("shrinking, far from the start") << 0.6 << 0.55 << QRect();
    QTest::newRow("growing") << 0.3 << 0.45 << QRect();
    QTest::newRow("near the start") << 0.06 << 0.02 << QRect();
    QTest::newRow("from a full turn") << 1.0 << 0.97 << QRect();
    // The arc must still start at 12 o'clock, not where the moving end's corner points.
    QTest::newRow("and a repaint across 12 o'clock") << 0.6 << 0.55 << QRect(100, 0, 60, 30);
}

void tst_ProgressRing::partialRepaintMatchesAWholeOne()
{
    QFETCH(double, from);
    QFETCH(double, to);
    QFETCH(QRect, alsoRepainted);
    const QRectF frame(10, 10, 220, 220);
    ProgressRing ring(220, 6, 2, from);
    QImage shown(240, 240, QImage::Format_ARGB32_Premultiplied);
    paintRing(shown, ring, frame);
    QRegion dirty(alsoRepainted);
    for (const QRectF &area : glideAndCollect(ring, to))
        dirty += area.translated(frame.topLeft()).toAlignedRect();
    QVERIFY(!dirty.isEmpty());
    paintRing(shown, ring, frame, dirty);

    QImage whole(shown.size(), shown.format());
    paintRing(whole, ring, frame);
    // A path cut elsewhere shades its edges a little differently; a stroke missing or
    // out of place differs by far more.
    QCOMPARE_LE(largestDifference(shown, whole), 64);
}

QTEST_MAIN(tst_ProgressRing)
#include "tst_progress_ring.moc"
