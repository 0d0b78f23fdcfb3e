#include "design/shapes.h"

#include <QtTest>

#include <cmath>

using namespace velorinth;

namespace {
// Of the line from a to b, anticlockwise from the x axis (y down).
qreal heading(QPointF a, QPointF b)
{
    return std::atan2(b.y() - a.y(), b.x() - a.x());
}
} // namespace

class tst_Shapes : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void outlineIsConvexWithoutKinks_data();
    void outlineIsConvexWithoutKinks();
};

void tst_Shapes::outlineIsConvexWithoutKinks_data()
{
    QTest::addColumn<QRectF>("rect");
    QTest::addColumn<qreal>("radius");
    QTest::addColumn<QPointF>("outside"); // eased corners: a circular one would cover it
    QTest::addColumn<QPointF>("inside");
    QTest::newRow("card") << QRectF(0, 0, 120, 80) << 16.0 << QPointF(15, 0.1) << QPointF(26, 0.05);
    QTest::newRow("chip") << QRectF(0, 0, 60, 31) << 12.0 << QPointF(11, 0.06) << QPointF(3.6, 3.6);
    QTest::newRow("almost fits") << QRectF(0, 0, 60, 40) << 13.0 << QPointF(12, 0.06)
                                 << QPointF(20, 0.05);
    // Half circles: just outside and just inside the circle of radius 12 (or 10) at 45°.
    QTest::newRow("capsule") << QRectF(0, 0, 60, 24) << 12.0 << QPointF(3.4, 3.4)
                             << QPointF(3.6, 3.6);
    QTest::newRow("radius past half")
        << QRectF(0, 0, 30, 20) << 50.0 << QPointF(2.85, 2.85) << QPointF(3.05, 3.05);
}

// Each segment leaves in the direction the one before arrived, and the outline only ever
// turns one way.
void tst_Shapes::outlineIsConvexWithoutKinks()
{
    QFETCH(QRectF, rect);
    QFETCH(qreal, radius);
    QFETCH(QPointF, outside);
    QFETCH(QPointF, inside);
    const QPainterPath path = continuousRoundedRect(rect, radius);
    QVERIFY(!path.contains(outside));
    QVERIFY(path.contains(inside));
    std::optional<qreal> arriving;
    QPointF at = path.elementAt(0);
    for (int i = 1; i < path.elementCount(); ++i) {
        const bool curve = path.elementAt(i).isCurveTo();
        const QPointF first = path.elementAt(i);
        const QPointF last = path.elementAt(curve ? i + 2 : i);
        const QPointF beforeLast = curve ? QPointF(path.elementAt(i + 1)) : at;
        if (last != at) {
            const qreal leaving = heading(at, first == at ? last : first);
            if (arriving)
                QVERIFY(std::abs(std::remainder(leaving - *arriving, 2 * M_PI)) < 1e-6);
            arriving = heading(beforeLast == last ? at : beforeLast, last);
            QVERIFY(std::remainder(*arriving - leaving, 2 * M_PI) >= -1e-9);
        }
        at = last;
        i += curve ? 2 : 0;
    }
}

QTEST_APPLESS_MAIN(tst_Shapes)
#include "tst_shapes.moc"
