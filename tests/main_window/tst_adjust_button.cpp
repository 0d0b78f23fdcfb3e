#include "main_window/controls/adjust_button.h"

#include "support/animation_time.h"
#include "support/pixels.h"
#include "main_window/control_testing.h"

#include <QtTest>

using namespace velorinth;

namespace {
int symbolWidth(AdjustButton &button)
{
    putOnBlack(&button);
    const QImage image = button.grab().toImage();
    const QRectF frame(button.contentsRect());
    int left = image.width(), right = -1;
    const int y = qRound(frame.center().y() * image.devicePixelRatio());
    for (int x = 0; x < image.width(); ++x) {
        if (image.pixelColor(x, y).lightness() > 90) {
            left = qMin(left, x);
            right = qMax(right, x);
        }
    }
    return right - left + 1;
}
} // namespace

class tst_AdjustButton : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void defaultSizeIs40WithA16PointSymbol();
    void clickCallsTheActionOnce();
    void hoverBrightensWithoutOvershoot();
};

void tst_AdjustButton::defaultSizeIs40WithA16PointSymbol()
{
    AdjustButton standard(QStringLiteral("plus"), QStringLiteral("Ajouter"), [] {});
    standard.resize(standard.sizeHint());
    QCOMPARE(standard.contentsRect().size(), QSize(40, 40));
    AdjustButton twice(QStringLiteral("plus"), QStringLiteral("Ajouter"), 80, [] {});
    twice.resize(twice.sizeHint());
    QCOMPARE(twice.contentsRect().size(), QSize(80, 80));
    // The font's plus spans 14 of the 20 units a symbol's size covers.
    const int width = symbolWidth(standard);
    QVERIFY2(std::abs(width - 16 * 0.7) <= 1.5, qPrintable(QString::number(width)));
    QVERIFY(std::abs(symbolWidth(twice) - 2 * width) <= 2);
}

void tst_AdjustButton::clickCallsTheActionOnce()
{
    int calls = 0;
    AdjustButton button(QStringLiteral("minus"), QStringLiteral("Retirer"), 44, [&] { ++calls; });
    button.resize(button.sizeHint());
    click(&button, QRectF(button.contentsRect()).center());
    QCOMPARE(calls, 1);
}

void tst_AdjustButton::hoverBrightensWithoutOvershoot()
{
    AdjustButton button(QStringLiteral("plus"), QStringLiteral("Ajouter"), [] {});
    button.resize(button.sizeHint());
    putOnBlack(&button);
    const QRectF frame(button.contentsRect());
    const QPointF glass(frame.left() + 8, frame.center().y());
    const auto brightness = [&] {
        const QImage image = button.grab().toImage();
        return image.pixelColor((glass * image.devicePixelRatio()).toPoint()).lightness();
    };
    const int resting = brightness();
    sendMouse(&button, QEvent::MouseMove, frame.center(), Qt::NoButton);
    QList<int> levels;
    for (int t = 50; t <= 1500; t += 50) {
        setAnimationTimes(&button, t);
        levels.append(brightness());
    }
    QVERIFY(levels.first() > resting);
    QVERIFY(levels.last() > levels.first());
    for (int i = 1; i < levels.size(); ++i)
        QVERIFY(levels[i] >= levels[i - 1]);
}

QTEST_MAIN(tst_AdjustButton)
#include "tst_adjust_button.moc"
