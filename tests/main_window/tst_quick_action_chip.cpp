#include "main_window/controls/quick_action_chip.h"

#include "main_window/control_testing.h"

#include <QtTest>

using namespace velorinth;

class tst_QuickActionChip : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void clicksOnTheChipOnly_data();
    void clicksOnTheChipOnly();
};

void tst_QuickActionChip::clicksOnTheChipOnly_data()
{
    QTest::addColumn<QPointF>("offset"); // from the chip's top left
    QTest::addColumn<int>("clicks");
    QTest::newRow("on the label") << QPointF(20, 15) << 1;
    QTest::newRow("on the padding") << QPointF(3, 3) << 1;
    QTest::newRow("in the shadow below") << QPointF(20, 40) << 0;
}

void tst_QuickActionChip::clicksOnTheChipOnly()
{
    QFETCH(QPointF, offset);
    QFETCH(int, clicks);
    int calls = 0;
    QuickActionChip chip(QStringLiteral("+15"), [&] { ++calls; });
    chip.resize(chip.sizeHint());
    click(&chip, QRectF(chip.contentsRect()).topLeft() + offset);
    QCOMPARE(calls, clicks);
}

QTEST_MAIN(tst_QuickActionChip)
#include "tst_quick_action_chip.moc"
