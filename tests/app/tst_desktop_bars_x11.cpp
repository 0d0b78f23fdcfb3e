// The desktop's bars as the X server tells them, on the test services' two monitors (1280 x 800
// at the left, primary; 1280 x 1024 at the right), with bars that the test puts up itself.
#include "app/desktop_area.h"
#include "app/panel_window.h"

#include <QPointer>
#include <QProcess>
#include <QScopeGuard>
#include <QtTest>

#include <xcb/xcb.h>

#include <algorithm>
#include <cstdlib>

using namespace velorinth;

namespace {

// A window that X knows as a bar keeping `strut` (the values of the property `kind`) for itself.
class Bar : public QWidget
{
public:
    Bar(const QRect &geometry, const QByteArray &kind, const QString &strut)
        : QWidget(nullptr, Qt::BypassWindowManagerHint) // where it is put, under any window manager
    {
        setGeometry(geometry);
        show();
        // After show(), so that the window type Qt writes when it makes the window stays out.
        const QString id = QString::number(winId());
        m_written = QProcess::execute("xprop",
                                      {"-id", id, "-f", "_NET_WM_WINDOW_TYPE", "32a", "-set",
                                       "_NET_WM_WINDOW_TYPE", "_NET_WM_WINDOW_TYPE_DOCK"})
                == 0
            && QProcess::execute("xprop", {"-id", id, "-f", kind, "32c", "-set", kind, strut}) == 0;
    }
    [[nodiscard]] bool written() const { return m_written; }

private:
    bool m_written = false;
};

xcb_connection_t *x11()
{
    return qGuiApp->nativeInterface<QNativeInterface::QX11Application>()->connection();
}

xcb_atom_t atom(const QByteArray &name)
{
    xcb_intern_atom_reply_t *reply = xcb_intern_atom_reply(
        x11(), xcb_intern_atom(x11(), false, uint16_t(name.size()), name.constData()), nullptr);
    const xcb_atom_t found = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    std::free(reply);
    return found;
}

// Writes the root window's property `name` as a window manager does, until the returned
// guard goes. The desktop has no window manager of its own to write it.
[[nodiscard]] auto onRoot(const QByteArray &name, xcb_atom_t type, const QList<uint32_t> &values)
{
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(x11())).data->root;
    xcb_change_property(x11(), XCB_PROP_MODE_REPLACE, root, atom(name), type, 32,
                        uint32_t(values.size()), values.constData());
    xcb_flush(x11());
    return qScopeGuard([root, name] {
        xcb_delete_property(x11(), root, atom(name));
        xcb_flush(x11());
        // Qt takes its own free areas from _NET_WORKAREA: wait until it has seen it go.
        static_cast<void>(QTest::qWaitFor([] {
            const auto screens = QGuiApplication::screens();
            return std::all_of(screens.begin(), screens.end(), [](const QScreen *screen) {
                return screen->availableGeometry() == screen->geometry();
            });
        }));
    });
}

class Content : public QWidget
{
public:
    [[nodiscard]] QSize sizeHint() const override { return {280, 280}; }
};

} // namespace

class tst_DesktopBarsX11 : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();

    void eachMonitorLosesOnlyItsOwnBars_data();
    void eachMonitorLosesOnlyItsOwnBars();
    void panelAtThePointerClearsTheBar_data();
    void panelAtThePointerClearsTheBar();
    void windowManagersAreasCount_data();
    void windowManagersAreasCount();

private:
    std::unique_ptr<Bar> m_top;
    std::unique_ptr<Bar> m_bottom;
};

void tst_DesktopBarsX11::initTestCase()
{
    if (QGuiApplication::screens().size() != 2)
        QSKIP("needs the test services' two monitors");
    // A bar at the top of the left monitor, through the partial strut; one at the bottom of
    // the right monitor through the older whole-edge strut.
    m_top = std::make_unique<Bar>(QRect(0, 0, 1280, 31), "_NET_WM_STRUT_PARTIAL",
                                  "0, 0, 31, 0, 0, 0, 0, 0, 0, 1279, 0, 0");
    m_bottom = std::make_unique<Bar>(QRect(1280, 994, 1280, 30), "_NET_WM_STRUT", "0, 0, 0, 30");
    QVERIFY(m_top->written() && m_bottom->written());
    QVERIFY(QTest::qWaitForWindowExposed(m_top.get()));
    QVERIFY(QTest::qWaitForWindowExposed(m_bottom.get()));
}

void tst_DesktopBarsX11::cleanupTestCase()
{
    m_top.reset();
    m_bottom.reset();
}

void tst_DesktopBarsX11::eachMonitorLosesOnlyItsOwnBars_data()
{
    QTest::addColumn<QPoint>("point");
    QTest::addColumn<QRect>("available");

    QTest::newRow("left monitor: under its top bar") << QPoint(700, 400) << QRect(0, 31, 1280, 769);
    QTest::newRow("right monitor: over its bottom bar")
        << QPoint(2000, 400) << QRect(1280, 0, 1280, 994);
}

void tst_DesktopBarsX11::eachMonitorLosesOnlyItsOwnBars()
{
    QFETCH(QPoint, point);
    QTEST(DesktopArea::at(point).available, "available");
}

void tst_DesktopBarsX11::panelAtThePointerClearsTheBar_data()
{
    QTest::addColumn<QPoint>("pointer");
    QTest::addColumn<QRect>("expected");

    QTest::newRow("top bar: under it") << QPoint(700, 16) << QRect(560, 35, 280, 280);
    QTest::newRow("bottom bar: over it") << QPoint(2000, 1010) << QRect(1860, 710, 280, 280);
}

void tst_DesktopBarsX11::panelAtThePointerClearsTheBar()
{
    QFETCH(QPoint, pointer);
    QPointer<PanelWindow> panel = new PanelWindow(QRect(pointer, QSize(1, 1)));
    panel->setContent(new Content);
    panel->show();
    QVERIFY(QTest::qWaitForWindowExposed(panel));

    QTEST(panel->panelGeometry(), "expected");
    panel->close();
}

void tst_DesktopBarsX11::windowManagersAreasCount_data()
{
    QTest::addColumn<QByteArray>("property");
    QTest::addColumn<QList<uint32_t>>("areas");
    QTest::addColumn<QPoint>("pointer");
    QTest::addColumn<QRect>("available");
    QTest::addColumn<QRect>("panel");

    // A bar drawn by the compositor, 40 pixels high, lower than the test's own one.
    const QList<uint32_t> perMonitor{0, 40, 1280, 760, 1280, 0, 1280, 1024};
    QTest::newRow("per monitor: under the compositor's bar")
        << QByteArray("_GTK_WORKAREAS_D0") << perMonitor << QPoint(700, 16)
        << QRect(0, 40, 1280, 760) << QRect(560, 44, 280, 280);
    QTest::newRow("per monitor: the other monitor's strut still counts")
        << QByteArray("_GTK_WORKAREAS_D0") << perMonitor << QPoint(2000, 1010)
        << QRect(1280, 0, 1280, 994) << QRect(1860, 710, 280, 280);
    QTest::newRow("desktop-wide: cut to the monitor")
        << QByteArray("_NET_WORKAREA") << QList<uint32_t>{0, 40, 2560, 984} << QPoint(700, 16)
        << QRect(0, 40, 1280, 760) << QRect(560, 44, 280, 280);
}

void tst_DesktopBarsX11::windowManagersAreasCount()
{
    QFETCH(QByteArray, property);
    QFETCH(QList<uint32_t>, areas);
    QFETCH(QPoint, pointer);
    QFETCH(QRect, available);
    const auto written = onRoot(property, XCB_ATOM_CARDINAL, areas);
    QCOMPARE(DesktopArea::at(pointer).available, available);

    QPointer<PanelWindow> panel = new PanelWindow(QRect(pointer, QSize(1, 1)));
    panel->setContent(new Content);
    panel->show();
    QVERIFY(QTest::qWaitForWindowExposed(panel));
    QTEST(panel->panelGeometry(), "panel");
    // Its shadow's margin neither lies over a bar nor reaches onto the next monitor.
    QVERIFY(available.contains(panel->geometry()));
    panel->close();
}

QTEST_MAIN(tst_DesktopBarsX11)
#include "tst_desktop_bars_x11.moc"
