#include "design/design_system.h"
#include "design/glass.h"

#include <QGuiApplication>
#include <QPainter>
#include <QtTest>

using namespace velorinth;

namespace {
const QRectF kFrame(40, 40, 120, 80);
const QColor kGround(128, 128, 128);

QImage paintGlass(const Glass &glass, qreal highlight)
{
    QImage image(200, 180, QImage::Format_ARGB32_Premultiplied);
    image.fill(kGround);
    QPainter painter(&image);
    glass.paintSurface(painter, kFrame, highlight);
    glass.paintBorder(painter, kFrame);
    return image;
}

// The ground's grey seen through a white tint of the given opacity.
int throughTint(qreal opacity)
{
    return qRound(kGround.red() + (255 - kGround.red()) * opacity);
}
} // namespace

class tst_Glass : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void fillFollowsHighlight_data();
    void fillFollowsHighlight();
    void defaultCornerIsRoundedBy16();
    void shadowFallsBelowAndNotInside();
};

void tst_Glass::fillFollowsHighlight_data()
{
    QTest::addColumn<qreal>("highlight");
    QTest::addColumn<qreal>("tint");
    QTest::newRow("normal: glassBackground") << 0.0 << 0.06;
    QTest::newRow("highlighted: glassSelection") << 1.0 << 0.15;
}

void tst_Glass::fillFollowsHighlight()
{
    QFETCH(qreal, highlight);
    QFETCH(qreal, tint);
    const QImage image = paintGlass(Glass(20), highlight);
    QVERIFY(std::abs(image.pixelColor(kFrame.center().toPoint()).red() - throughTint(tint)) <= 1);
}

void tst_Glass::defaultCornerIsRoundedBy16()
{
    const QImage image = paintGlass(Glass(), 1.0);
    // 3 points in from the corner lies outside a 16-point rounding, 16 in along an edge inside.
    QVERIFY(image.pixelColor((kFrame.topLeft() + QPointF(3, 3)).toPoint()).red() < kGround.red());
    QVERIFY(image.pixelColor((kFrame.topLeft() + QPointF(16, 4)).toPoint()).red() > kGround.red());
}

void tst_Glass::shadowFallsBelowAndNotInside()
{
    const QImage image = paintGlass(Glass(), 0.0);
    const int below = image.pixelColor(int(kFrame.center().x()), int(kFrame.bottom() + 4)).red();
    const int above = image.pixelColor(int(kFrame.center().x()), int(kFrame.top() - 4)).red();
    QVERIFY(below < above);
    QVERIFY(above < kGround.red());
    // Nothing darkens the glass itself: just inside the bottom edge is plain tinted ground.
    const QPoint inside(int(kFrame.center().x()), int(kFrame.bottom() - 3));
    QVERIFY(std::abs(image.pixelColor(inside).red() - throughTint(0.06)) <= 1);
}

QTEST_MAIN(tst_Glass)
#include "tst_glass.moc"
