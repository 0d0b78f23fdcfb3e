#include "design/design_system.h"
#include "design/symbols.h"

#include "support/gallery.h"
#include "support/pixels.h"

#include <QGuiApplication>
#include <QPainter>
#include <QtTest>

using namespace velorinth;

namespace {
// Every symbol name the views use.
const QStringList kUsedNames =
    QString("arrow.down.circle.fill arrow.up.forward.app bolt.fill clock clock.fill "
            "exclamationmark.triangle.fill lightbulb.slash minus moon moon.fill moon.haze "
            "moon.stars moon.stars.fill moon.zzz.fill play.fill plus power sparkles "
            "speaker.wave.1.fill speaker.wave.2.fill speaker.wave.3.fill stop.fill "
            "sun.min.fill timer xmark")
        .split(QLatin1Char(' '));

QImage draw(const QString &name, qreal size, QFont::Weight weight = QFont::Normal,
            QColor tint = Qt::white, int side = 64)
{
    QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    Symbols::paint(painter, name, QPointF(side / 2.0, side / 2.0), size, weight, tint);
    return image;
}

int ink(const QImage &image)
{
    return countPixels(image, image.rect(), [](QColor c) { return c.alpha() > 128; });
}

QRect inkBounds(const QImage &image)
{
    QRect bounds;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixelColor(x, y).alpha() > 128)
                bounds |= QRect(x, y, 1, 1);
        }
    }
    return bounds;
}
} // namespace

class tst_Symbols : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void everyUsedNameDrawsWithinItsSquare_data();
    void everyUsedNameDrawsWithinItsSquare();
    void composedSymbolsDifferFromTheirBase_data();
    void composedSymbolsDifferFromTheirBase();
    void unknownNameDrawsNothing();
    void tintAndSizeInPoints();
    void heavierWeightsDrawMoreInk();
    void writeSheet();
};

void tst_Symbols::everyUsedNameDrawsWithinItsSquare_data()
{
    QTest::addColumn<QString>("name");
    for (const QString &name : kUsedNames)
        QTest::newRow(qPrintable(name)) << name;
}

void tst_Symbols::everyUsedNameDrawsWithinItsSquare()
{
    QFETCH(QString, name);
    QVERIFY(Symbols::contains(name));
    const QImage image = draw(name, 40);
    QVERIFY(ink(image) > 40);
    // A 40-point symbol fills most of its 40 x 40 square and hardly leaves it.
    const QRect bounds = inkBounds(image);
    QVERIFY2(QRect(10, 10, 44, 44).contains(bounds), qPrintable(name));
    QVERIFY2(qMax(bounds.width(), bounds.height()) >= 24, qPrintable(name));
}

void tst_Symbols::composedSymbolsDifferFromTheirBase_data()
{
    QTest::addColumn<QString>("composed");
    QTest::addColumn<QString>("base");
    QTest::newRow("outline moon") << "moon"
                                  << "moon.fill";
    QTest::newRow("moon with stars") << "moon.stars.fill"
                                     << "moon.fill";
    QTest::newRow("sleeping moon") << "moon.zzz.fill"
                                   << "moon.stars.fill";
    QTest::newRow("three waves") << "speaker.wave.3.fill"
                                 << "speaker.wave.2.fill";
}

void tst_Symbols::composedSymbolsDifferFromTheirBase()
{
    QFETCH(QString, composed);
    QFETCH(QString, base);
    QVERIFY(draw(composed, 40) != draw(base, 40));
}

void tst_Symbols::unknownNameDrawsNothing()
{
    QVERIFY(!Symbols::contains(QStringLiteral("moon.stars.circle")));
    QCOMPARE(ink(draw(QStringLiteral("moon.stars.circle"), 40)), 0);
}

void tst_Symbols::tintAndSizeInPoints()
{
    const QColor pink = DesignSystem::Colors::applePink;
    const QImage small = draw(QStringLiteral("stop.fill"), 20, QFont::Normal, pink);
    const QImage large = draw(QStringLiteral("stop.fill"), 40, QFont::Normal, pink);
    QCOMPARE(large.pixelColor(32, 32).rgb(), pink.rgb());
    const qreal ratio = qreal(inkBounds(large).width()) / inkBounds(small).width();
    QVERIFY2(std::abs(ratio - 2.0) < 0.15, qPrintable(QString::number(ratio)));
}

void tst_Symbols::heavierWeightsDrawMoreInk()
{
    const int regular = ink(draw(QStringLiteral("plus"), 40, QFont::Normal));
    const int semibold = ink(draw(QStringLiteral("plus"), 40, QFont::DemiBold));
    const int bold = ink(draw(QStringLiteral("plus"), 40, QFont::Bold));
    QVERIFY(regular < semibold);
    QVERIFY(semibold < bold);
}

void tst_Symbols::writeSheet()
{
    // Every symbol at the sizes the views use, for people to look at.
    const QList<qreal> sizes{11, 14, 18, 40};
    const int row = 52;
    const qreal ratio = qApp->devicePixelRatio();
    QImage sheet(QSize(420, row * kUsedNames.size()) * ratio, QImage::Format_ARGB32_Premultiplied);
    sheet.setDevicePixelRatio(ratio);
    sheet.fill(DesignSystem::Colors::deepBlack);
    QPainter painter(&sheet);
    painter.setFont(DesignSystem::Fonts::sans(11, QFont::Medium));
    for (int i = 0; i < kUsedNames.size(); ++i) {
        const qreal y = i * row + row / 2.0;
        painter.setPen(DesignSystem::Colors::textSecondary);
        painter.drawText(QRectF(12, y - 10, 190, 20), Qt::AlignVCenter, kUsedNames[i]);
        qreal x = 220;
        for (const qreal size : sizes) {
            Symbols::paint(painter, kUsedNames[i], {x, y}, size, QFont::Normal,
                           i % 2 ? DesignSystem::Colors::textPrimary
                                 : DesignSystem::Colors::appleBlue);
            x += size / 2 + 34;
        }
    }
    painter.end();
    QVERIFY(saveToGallery(QStringLiteral("symbols"), sheet));
}

QTEST_MAIN(tst_Symbols)
#include "tst_symbols.moc"
