#include "app/panel_placement.h"

#include <QtTest>

using namespace velorinth;

class tst_PanelPlacement : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void opensAwayFromTheTray_data();
    void opensAwayFromTheTray();
};

void tst_PanelPlacement::opensAwayFromTheTray_data()
{
    QTest::addColumn<QRect>("anchor");
    QTest::addColumn<QRect>("screen");
    QTest::addColumn<QRect>("available");
    QTest::addColumn<QPoint>("expected");

    const QRect screen(0, 0, 1280, 800);
    QTest::newRow("top tray: centred under the icon")
        << QRect(600, 0, 24, 24) << screen << QRect(0, 24, 1280, 776) << QPoint(472, 28);
    QTest::newRow("icon far left: left edge at 4")
        << QRect(10, 0, 24, 24) << screen << QRect(0, 24, 1280, 776) << QPoint(4, 28);
    QTest::newRow("icon far right: kept on the screen")
        << QRect(1257, 1, 22, 30) << screen << screen << QPoint(996, 35);
    QTest::newRow("bottom tray: opens upwards")
        << QRect(600, 776, 24, 24) << screen << QRect(0, 0, 1280, 776) << QPoint(472, 492);
    QTest::newRow("right-hand tray: opens to the left")
        << QRect(1256, 400, 24, 24) << screen << QRect(0, 0, 1256, 800) << QPoint(972, 272);
    QTest::newRow("left-hand tray: opens to the right")
        << QRect(0, 400, 24, 24) << screen << QRect(24, 0, 1256, 800) << QPoint(28, 272);
    QTest::newRow("no geometry: at the pointer, below the desktop's bar")
        << QRect(700, 5, 1, 1) << screen << QRect(0, 30, 1280, 770) << QPoint(560, 34);
    QTest::newRow("second monitor") << QRect(2400, 0, 24, 24) << QRect(1280, 0, 1280, 1024)
                                    << QRect(1280, 24, 1280, 1000) << QPoint(2272, 28);
}

void tst_PanelPlacement::opensAwayFromTheTray()
{
    QFETCH(QRect, anchor);
    QFETCH(QRect, screen);
    QFETCH(QRect, available);
    QTEST(PanelPlacement::topLeft(anchor, {280, 280}, screen, available), "expected");
}

QTEST_APPLESS_MAIN(tst_PanelPlacement)
#include "tst_panel_placement.moc"
