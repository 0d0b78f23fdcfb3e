// The desktop's bars as the X server tells them, on the test services' two monitors (1280 x 800
// at the left, primary; 1280 x 1024 at the right), with bars that the test puts up itself.
#include "app/desktop_area.h"
#include "app/panel_window.h"

#include <QPointer>
#include <QProcess>
#include <QtTest>

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

QTEST_MAIN(tst_DesktopBarsX11)
#include "tst_desktop_bars_x11.moc"
