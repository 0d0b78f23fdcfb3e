// Renders the progress ring and the rolling digits in a few states to PNG under the build
// tree, for people to look at, and checks the pixels that tell the states apart. Runs at
// 1x and, through QT_SCALE_FACTOR=2, at 2x.
#include "design/animation.h"
#include "design/design_system.h"
#include "design/progress_ring.h"
#include "design/rolling_digits.h"
#include "support/animation_time.h"
#include "support/gallery.h"
#include "support/pixels.h"

#include <QPainter>
#include <QtTest>

using namespace velorinth;

namespace {
struct Board
{
    explicit Board(QSize size)
        : image(size * qApp->devicePixelRatio(), QImage::Format_ARGB32_Premultiplied)
    {
        image.setDevicePixelRatio(qApp->devicePixelRatio());
        image.fill(DesignSystem::Colors::deepBlack);
    }

    // The colour on the ring in frame at `turn` of a full turn clockwise from 12 o'clock.
    [[nodiscard]] QColor onRing(const QRectF &frame, qreal turn) const
    {
        const QPointF at = frame.center()
            + QPointF(std::sin(turn * 2 * M_PI), -std::cos(turn * 2 * M_PI)) * frame.width() / 2;
        return image.pixelColor((at * image.devicePixelRatio()).toPoint());
    }

    QImage image;
};

bool isLit(QColor c)
{
    return c.lightness() > 60;
}
} // namespace

class tst_PainterGallery : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void progressRings();
    void rollingDigits();
};

void tst_PainterGallery::progressRings()
{
    Board board({420, 260});
    QPainter painter(&board.image);
    const QRectF big(20, 20, 220, 220);
    ProgressRing(220, 6, 2, 2.0 / 3.0).paint(painter, big);
    painter.setPen(DesignSystem::Colors::textPrimary);
    RollingDigits(DesignSystem::Fonts::mono(36), QStringLiteral("20:00")).paint(painter, big);
    const QRectF small[] = {{290, 30, 52, 52}, {290, 105, 52, 52}, {290, 180, 52, 52}};
    ProgressRing(52, 3, 3, 0.25).paint(painter, small[0]);
    ProgressRing(52, 3, 3, 0.75).paint(painter, small[1]);
    ProgressRing urgent(52, 3, 3, 0.1);
    urgent.setTint(DesignSystem::Colors::applePink);
    urgent.paint(painter, small[2]);
    painter.end();
    QVERIFY(saveToGallery(QStringLiteral("progress_ring"), board.image));

    // Blue where the arc starts at 12 o'clock, pink near its end, then the faint track.
    QVERIFY(isBlue(board.onRing(big, 0.02)));
    QVERIFY(isPink(board.onRing(big, 0.64)));
    QVERIFY(!isLit(board.onRing(big, 0.75)));
    QVERIFY(board.onRing(big, 0.75).lightness() > 12);
    QVERIFY(isLit(board.onRing(small[0], 0.2)));
    QVERIFY(!isLit(board.onRing(small[0], 0.3)));
    QVERIFY(isLit(board.onRing(small[1], 0.7)));
    QVERIFY(isPink(board.onRing(small[2], 0.05)));
}

void tst_PainterGallery::rollingDigits()
{
    const std::tuple<QString, QString, QFont> rows[] = {
        {QStringLiteral("29"), QStringLiteral("30"), DesignSystem::Fonts::display(84)},
        {QStringLiteral("180"), QStringLiteral("5"), DesignSystem::Fonts::display(84)},
        {QStringLiteral("05:00"), QStringLiteral("04:59"), DesignSystem::Fonts::mono(36)}};
    Board board({5 * 150, 3 * 120});
    QPainter painter(&board.image);
    painter.setPen(DesignSystem::Colors::textPrimary);
    for (int row = 0; row < 3; ++row) {
        const auto &[from, to, font] = rows[row];
        for (int step = 0; step <= 4; ++step) {
            RollingDigits digits(font, from);
            digits.setText(to, Animation::easeInOut(0.4));
            setAnimationTimes(&digits, step * 100);
            digits.paint(painter, QRectF(step * 150, row * 120, 150, 120));
        }
    }
    painter.end();
    QVERIFY(saveToGallery(QStringLiteral("rolling_digits"), board.image));

    // Above the line of "29", the halfway frame shows the old digits leaving upwards.
    const QRectF aboveTheLine(0, 0, 150, 14);
    QCOMPARE(countPixels(board.image, aboveTheLine, isLit), 0);
    QVERIFY(countPixels(board.image, aboveTheLine.translated(300, 0), isLit) > 0);
    QCOMPARE(countPixels(board.image, aboveTheLine.translated(600, 0), isLit), 0);
}

QTEST_MAIN(tst_PainterGallery)
#include "tst_painter_gallery.moc"
