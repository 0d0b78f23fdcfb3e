#include "app/desktop_area.h"
#include "app/panel_placement.h"

#include <QtTest>

using namespace velorinth;
using Desktop = PanelPlacement::Desktop;

class tst_PanelPlacement : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void opensAwayFromTheTray_data();
    void opensAwayFromTheTray();
    void freeAreaLeavesTheBarsOut_data();
    void freeAreaLeavesTheBarsOut();
    void barsAreReadInPoints_data();
    void barsAreReadInPoints();
    void workAreaOfTheWindowManager_data();
    void workAreaOfTheWindowManager();
    void windowStaysOnTheMonitor_data();
    void windowStaysOnTheMonitor();
};

void tst_PanelPlacement::opensAwayFromTheTray_data()
{
    QTest::addColumn<QRect>("anchor");
    QTest::addColumn<QRect>("screen");
    QTest::addColumn<QRect>("available");
    QTest::addColumn<QList<QRect>>("bars");
    QTest::addColumn<QPoint>("expected");

    const QRect screen(0, 0, 1280, 800);
    const QRect right(1280, 0, 1280, 1024);
    const QList<QRect> none;
    QTest::newRow("top tray: centred under the icon")
        << QRect(600, 0, 24, 24) << screen << QRect(0, 24, 1280, 776) << none << QPoint(472, 28);
    QTest::newRow("icon far left: left edge at 4")
        << QRect(10, 0, 24, 24) << screen << QRect(0, 24, 1280, 776) << none << QPoint(4, 28);
    QTest::newRow("icon far right: kept on the screen")
        << QRect(1257, 1, 22, 30) << screen << screen << none << QPoint(996, 35);
    QTest::newRow("bottom tray: opens upwards")
        << QRect(600, 776, 24, 24) << screen << QRect(0, 0, 1280, 776) << none << QPoint(472, 492);
    QTest::newRow("right-hand tray: opens to the left")
        << QRect(1256, 400, 24, 24) << screen << QRect(0, 0, 1256, 800) << none << QPoint(972, 272);
    QTest::newRow("left-hand tray: opens to the right")
        << QRect(0, 400, 24, 24) << screen << QRect(24, 0, 1256, 800) << none << QPoint(28, 272);
    // Nothing known and nothing kept free (an auto-hidden bar): the icon's place alone says
    // which side the bar is on.
    QTest::newRow("right-hand tray, the whole screen free: beside the icon")
        << QRect(1256, 400, 24, 24) << screen << screen << none << QPoint(972, 272);
    QTest::newRow("left-hand tray, the whole screen free: beside the icon")
        << QRect(0, 400, 24, 24) << screen << screen << none << QPoint(28, 272);
    QTest::newRow("no geometry: at the pointer, below the desktop's bar")
        << QRect(700, 5, 1, 1) << screen << QRect(0, 30, 1280, 770) << none << QPoint(560, 34);
    QTest::newRow("second monitor") << QRect(2400, 0, 24, 24) << right
                                    << QRect(1280, 24, 1280, 1000) << none << QPoint(2272, 28);

    // Without an icon geometry the pointer is somewhere on the icon: the bar under it says
    // where the panel goes.
    const QRect top(0, 0, 1280, 31);
    const QRect free(0, 31, 1280, 769);
    QTest::newRow("pointer on a top bar: under the bar, centred on the pointer")
        << QRect(700, 16, 1, 1) << screen << free << QList{top} << QPoint(560, 35);
    QTest::newRow("icon smaller than the bar: under the bar, not the icon")
        << QRect(1100, 5, 22, 22) << screen << free << QList{top} << QPoint(971, 35);
    QTest::newRow("pointer on a bottom bar: over it")
        << QRect(700, 784, 1, 1) << screen << QRect(0, 0, 1280, 769)
        << QList{QRect(0, 769, 1280, 31)} << QPoint(560, 485);
    QTest::newRow("pointer on a left bar near the top: beside it")
        << QRect(24, 20, 1, 1) << screen << QRect(48, 0, 1232, 800) << QList{QRect(0, 0, 48, 800)}
        << QPoint(52, 4);
    QTest::newRow("auto-hidden left bar, keeping no room: beside it, to its right")
        << QRect(24, 400, 1, 1) << screen << screen << QList{QRect(0, 0, 48, 800)}
        << QPoint(52, 260);
    QTest::newRow("auto-hidden right bar, near the top: beside it, to its left")
        << QRect(1256, 30, 1, 1) << screen << screen << QList{QRect(1232, 0, 48, 800)}
        << QPoint(948, 4);
    QTest::newRow("bar on the second monitor, at its bottom")
        << QRect(2000, 1010, 1, 1) << right << QRect(1280, 0, 1280, 994)
        << QList{QRect(1280, 994, 1280, 30)} << QPoint(1860, 710);
}

void tst_PanelPlacement::opensAwayFromTheTray()
{
    QFETCH(QRect, anchor);
    QFETCH(QRect, screen);
    QFETCH(QRect, available);
    QFETCH(QList<QRect>, bars);
    QTEST(PanelPlacement::topLeft(anchor, {280, 280}, Desktop{screen, available, bars}),
          "expected");
}

void tst_PanelPlacement::freeAreaLeavesTheBarsOut_data()
{
    QTest::addColumn<QRect>("screen");
    QTest::addColumn<QList<QRect>>("reserved");
    QTest::addColumn<QRect>("expected");

    // Two monitors as X puts them: 1280 x 800 at the left, 1280 x 1024 at the right, struts
    // counted from the edges of the whole 2560 x 1024 desktop.
    const QRect left(0, 0, 1280, 800);
    const QRect right(1280, 0, 1280, 1024);
    const QRect topBar(0, 0, 1280, 31);
    QTest::newRow("top bar") << left << QList{topBar} << QRect(0, 31, 1280, 769);
    QTest::newRow("the other monitor's bar") << right << QList{topBar} << right;
    // A bottom strut on the shorter monitor reaches down to the desktop's bottom edge.
    QTest::newRow("bottom bar of the shorter monitor")
        << left << QList{QRect(0, 769, 1280, 255)} << QRect(0, 0, 1280, 769);
    QTest::newRow("right bar") << right << QList{QRect(2512, 0, 48, 1024)}
                               << QRect(1280, 0, 1232, 1024);
}

void tst_PanelPlacement::freeAreaLeavesTheBarsOut()
{
    QFETCH(QRect, screen);
    QFETCH(QList<QRect>, reserved);
    QTEST(PanelPlacement::freeArea(screen, reserved), "expected");
}

void tst_PanelPlacement::barsAreReadInPoints_data()
{
    QTest::addColumn<QRect>("screen"); // Qt's
    QTest::addColumn<qreal>("ratio");
    QTest::addColumn<QRect>("bar"); // X's, keeping its height as room
    QTest::addColumn<QRect>("available");
    QTest::addColumn<QList<QRect>>("bars");

    QTest::newRow("2x: half as many points")
        << QRect(0, 0, 1280, 800) << 2.0 << QRect(0, 0, 2560, 62) << QRect(0, 31, 1280, 769)
        << QList{QRect(0, 0, 1280, 31)};
    QTest::newRow("2x, second monitor: its corner stays where X has it")
        << QRect(2560, 0, 1280, 1024) << 2.0 << QRect(2560, 1988, 2560, 60)
        << QRect(2560, 0, 1280, 994) << QList{QRect(2560, 994, 1280, 30)};
    QTest::newRow("1.5x: rounded up, never under the bar")
        << QRect(0, 0, 1280, 800) << 1.5 << QRect(0, 0, 1920, 31) << QRect(0, 21, 1280, 779)
        << QList{QRect(0, 0, 1280, 21)};
    QTest::newRow("a bar on another screen")
        << QRect(1280, 0, 1280, 1024) << 1.0 << QRect(0, 0, 1280, 31) << QRect(1280, 0, 1280, 1024)
        << QList<QRect>{};
}

void tst_PanelPlacement::barsAreReadInPoints()
{
    QFETCH(QRect, screen);
    QFETCH(qreal, ratio);
    QFETCH(QRect, bar);
    const Desktop desktop = DesktopArea::fromX({{bar}, {bar}, {}, {}}, screen, ratio, screen);
    QCOMPARE(desktop.screen, screen);
    QTEST(desktop.available, "available");
    QTEST(desktop.bars, "bars");
}

void tst_PanelPlacement::workAreaOfTheWindowManager_data()
{
    QTest::addColumn<QRect>("screen"); // Qt's
    QTest::addColumn<qreal>("ratio");
    QTest::addColumn<QList<QRect>>("monitorAreas"); // the rest in X's pixels
    QTest::addColumn<QRect>("desktopArea");
    QTest::addColumn<QList<QRect>>("reserved");
    QTest::addColumn<QRect>("expected");

    // As mutter has them under GNOME Shell, whose top bar on the left monitor has no strut.
    const QRect left(0, 0, 1280, 800);
    const QRect right(1280, 0, 1280, 1024);
    const QList<QRect> gnome{QRect(0, 32, 1280, 768), QRect(1280, 0, 1280, 1024)};
    const QRect desktopWide(0, 32, 2560, 992);
    const QList<QRect> none;
    QTest::newRow("per monitor: under the bar")
        << left << 1.0 << gnome << desktopWide << none << QRect(0, 32, 1280, 768);
    QTest::newRow("per monitor: the other monitor keeps its top")
        << right << 1.0 << gnome << desktopWide << none << right;
    QTest::newRow("a strut too: both kept clear")
        << right << 1.0 << gnome << QRect() << QList{QRect(2512, 0, 48, 1024)}
        << QRect(1280, 0, 1232, 1024);
    QTest::newRow("an area off this monitor: the struts alone")
        << right << 1.0 << none << QRect(0, 32, 1280, 768) << none << right;
    QTest::newRow("1.5x: rounded inwards, never over the bar")
        << left << 1.5 << QList{QRect(0, 32, 1920, 1168)} << QRect() << none
        << QRect(0, 22, 1280, 778);
}

void tst_PanelPlacement::workAreaOfTheWindowManager()
{
    QFETCH(QRect, screen);
    QFETCH(qreal, ratio);
    QFETCH(QList<QRect>, monitorAreas);
    QFETCH(QRect, desktopArea);
    QFETCH(QList<QRect>, reserved);
    const X11Requests::DesktopBars bars{reserved, reserved, monitorAreas, desktopArea};
    QTEST(DesktopArea::fromX(bars, screen, ratio, screen).available, "expected");
}

void tst_PanelPlacement::windowStaysOnTheMonitor_data()
{
    QTest::addColumn<QRect>("panel");
    QTest::addColumn<QRect>("available");
    QTest::addColumn<QRect>("expected"); // the window

    const QRect underGnomeBar(0, 32, 1280, 768);
    QTest::newRow("room all round: the whole shadow")
        << QRect(472, 60, 280, 280) << underGnomeBar << QRect(442, 36, 340, 340);
    QTest::newRow("against the bar: not over it")
        << QRect(472, 36, 280, 280) << underGnomeBar << QRect(442, 32, 340, 320);
    QTest::newRow("against the next monitor: not onto it")
        << QRect(996, 36, 280, 280) << underGnomeBar << QRect(966, 32, 314, 320);
    QTest::newRow("larger than the free area: the panel whole")
        << QRect(0, 0, 280, 300) << QRect(0, 0, 280, 280) << QRect(0, 0, 280, 300);
}

void tst_PanelPlacement::windowStaysOnTheMonitor()
{
    QFETCH(QRect, panel);
    QFETCH(QRect, available);
    const Desktop desktop{QRect(0, 0, 1280, 800), available, {}};
    QTEST(PanelPlacement::window(panel, QMargins(30, 24, 30, 36), desktop), "expected");
}

QTEST_APPLESS_MAIN(tst_PanelPlacement)
#include "tst_panel_placement.moc"
