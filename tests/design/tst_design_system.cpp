#include "design/design_system.h"
#include "design/font_families.h"

#include <QFontInfo>
#include <QGuiApplication>
#include <QPainter>
#include <QtTest>

using namespace velorinth;

class tst_DesignSystem : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void sansWeights_data();
    void sansWeights();
    void displayIsNotTheSansFace();
    void monoIsFixedPitch();
    void missingFamiliesFallBack_data();
    void missingFamiliesFallBack();
    void sleepProgressTurnsClockwiseWithoutASeam();
    void quaternaryTextAndSelectionRenderAlike();
};

void tst_DesignSystem::sansWeights_data()
{
    QTest::addColumn<QFont>("font");
    QTest::addColumn<int>("weight");
    QTest::newRow("size alone is regular") << DesignSystem::Fonts::sans(12) << int(QFont::Normal);
    QTest::newRow("semibold") << DesignSystem::Fonts::sans(12, QFont::DemiBold)
                              << int(QFont::DemiBold);
    QTest::newRow("medium") << DesignSystem::Fonts::sans(11, QFont::Medium) << int(QFont::Medium);
}

void tst_DesignSystem::sansWeights()
{
    QFETCH(QFont, font);
    QFETCH(int, weight);
    QCOMPARE(QFontInfo(font).weight(), weight);
    QCOMPARE(QFontInfo(font).family(), QStringLiteral("Inter"));
}

void tst_DesignSystem::displayIsNotTheSansFace()
{
    const QFontInfo display(DesignSystem::Fonts::display(84));
    QCOMPARE(display.family(), QStringLiteral("Quicksand"));
    QVERIFY(display.weight() >= QFont::DemiBold);
    QCOMPARE(display.pixelSize(), 84);
}

void tst_DesignSystem::monoIsFixedPitch()
{
    const QFontInfo mono(DesignSystem::Fonts::mono(28));
    QCOMPARE(mono.family(), QStringLiteral("JetBrains Mono"));
    QVERIFY(mono.fixedPitch());
    QCOMPARE(mono.weight(), int(QFont::Medium));
}

void tst_DesignSystem::missingFamiliesFallBack_data()
{
    QTest::addColumn<QStringList>("candidates");
    QTest::addColumn<QString>("expected");
    QTest::newRow("first installed wins")
        << QStringList{QStringLiteral("No Such Family"), QStringLiteral("DejaVu Sans")}
        << QStringLiteral("DejaVu Sans");
    QTest::newRow("none installed leaves Qt's default")
        << QStringList{QStringLiteral("No Such Family")} << QString();
}

void tst_DesignSystem::missingFamiliesFallBack()
{
    QFETCH(QStringList, candidates);
    QFETCH(QString, expected);
    QCOMPARE(FontFamilies::firstInstalled(candidates), expected);
}

void tst_DesignSystem::sleepProgressTurnsClockwiseWithoutASeam()
{
    QImage disc(101, 101, QImage::Format_ARGB32);
    disc.fill(Qt::transparent);
    QPainter painter(&disc);
    painter.fillRect(disc.rect(), DesignSystem::Gradients::sleepProgress);
    painter.end();
    const QColor east = disc.pixelColor(100, 50);
    const QColor south =
        disc.pixelColor(50, 100); // a quarter turn clockwise: blue on its way to purple
    const QColor north = disc.pixelColor(50, 0); // three quarters: pink on its way back to blue
    const QColor justAbove = disc.pixelColor(100, 48);
    const QColor justBelow = disc.pixelColor(100, 52);
    QVERIFY(east.blue() > 240 && east.red() < 40);
    QVERIFY(south.blue() > 200 && south.red() > 100 && south.red() < 160);
    QVERIFY(north.red() > 170 && north.blue() < 160);
    QVERIFY(std::abs(justAbove.red() - justBelow.red()) < 20);
}

void tst_DesignSystem::quaternaryTextAndSelectionRenderAlike()
{
    QCOMPARE(DesignSystem::Colors::textQuaternary.rgba(),
             DesignSystem::Colors::glassSelection.rgba());
}

QTEST_MAIN(tst_DesignSystem)
#include "tst_design_system.moc"
