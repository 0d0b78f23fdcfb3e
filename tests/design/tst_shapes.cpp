#include "design/shapes.h"

#include <QtTest>

#include <cmath>

using namespace velorinth;

namespace {
qreal direction(QPointF from, QPointF to)
{
    return std::atan2(to.y() - from.y(), to.x() - from.x());
}

qreal turn(qreal from, qreal to)
{
    return std::remainder(to - from, 2.0 * M_PI);
}
} // namespace

class tst_Shapes : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void outlineIsConvexWithoutKinks_data();
    void outlineIsConvexWithoutKinks();
    void halfRadiusGivesHalfCircleEnds();
    void cornersEaseIntoTheSides_data();
    void cornersEaseIntoTheSides();
};

void tst_Shapes::outlineIsConvexWithoutKinks_data()
{
    QTest::addColumn<QRectF>("rect");
    QTest::addColumn<qreal>("radius");
    QTest::newRow("card") << QRectF(0, 0, 120, 80) << 16.0;
    QTest::newRow("chip") << QRectF(0, 0, 60, 31) << 12.0;
    QTest::newRow("almost fits") << QRectF(0, 0, 60, 40) << 13.0;
    QTest::newRow("capsule") << QRectF(0, 0, 60, 24) << 12.0;
    QTest::newRow("circle") << QRectF(0, 0, 44, 44) << 22.0;
    QTest::newRow("radius past half") << QRectF(0, 0, 30, 20) << 50.0;
}

// Every segment leaves in the direction the previous one arrived, and the outline only
// ever turns clockwise.
void tst_Shapes::outlineIsConvexWithoutKinks()
{
    QFETCH(QRectF, rect);
    QFETCH(qreal, radius);
    const QPainterPath path = continuousRoundedRect(rect, radius);
    std::optional<qreal> arriving;
    QPointF at = path.elementAt(0);
    for (int i = 1; i < path.elementCount(); ++i) {
        const QPainterPath::Element e = path.elementAt(i);
        const bool curve = e.isCurveTo();
        const QPointF end = curve ? QPointF(path.elementAt(i + 2)) : QPointF(e);
        const QPointF leaveTowards = e;
        const QPointF arriveFrom = curve ? QPointF(path.elementAt(i + 1)) : at;
        if (end == at)
            continue;
        const qreal leaving = direction(at, leaveTowards == at ? end : leaveTowards);
        if (arriving)
            QVERIFY2(std::abs(turn(*arriving, leaving)) < 1e-6, qPrintable(QString::number(i)));
        if (curve)
            QVERIFY(turn(leaving, direction(arriveFrom, end)) >= -1e-9);
        arriving = direction(arriveFrom == end ? at : arriveFrom, end);
        at = end;
        i += curve ? 2 : 0;
    }
    const QPolygonF outline = path.toFillPolygon();
    for (int i = 2; i < outline.size(); ++i) {
        const QPointF a = outline[i - 1] - outline[i - 2], b = outline[i] - outline[i - 1];
        QVERIFY(a.x() * b.y() - a.y() * b.x() >= -1e-6);
    }
}

void tst_Shapes::halfRadiusGivesHalfCircleEnds()
{
    const QRectF rect(10, 10, 60, 24);
    for (const QPointF p : capsule(rect).toFillPolygon()) {
        const QPointF centre(qBound(22.0, p.x(), 58.0), 22.0);
        QVERIFY(std::abs(QLineF(centre, p).length() - 12.0) < 0.02);
    }
}

// Where a circular arc would already have met the side, the continuous corner is still
// easing in; at the diagonal both pass through the same point.
void tst_Shapes::cornersEaseIntoTheSides_data()
{
    QTest::addColumn<QRectF>("rect");
    QTest::addColumn<qreal>("radius");
    QTest::addColumn<QPointF>("point");
    QTest::addColumn<bool>("inside");
    QTest::newRow("card, beyond the arc")
        << QRectF(0, 0, 120, 80) << 16.0 << QPointF(15, 0.1) << false;
    QTest::newRow("card, past the easing")
        << QRectF(0, 0, 120, 80) << 16.0 << QPointF(25, 0.1) << true;
    QTest::newRow("card, diagonal") << QRectF(0, 0, 120, 80) << 16.0 << QPointF(4.9, 4.9) << true;
    QTest::newRow("chip, beyond the arc")
        << QRectF(0, 0, 60, 31) << 12.0 << QPointF(11, 0.06) << false;
}

void tst_Shapes::cornersEaseIntoTheSides()
{
    QFETCH(QRectF, rect);
    QFETCH(qreal, radius);
    QFETCH(QPointF, point);
    QFETCH(bool, inside);
    QCOMPARE(continuousRoundedRect(rect, radius).contains(point), inside);
}

QTEST_APPLESS_MAIN(tst_Shapes)
#include "tst_shapes.moc"
