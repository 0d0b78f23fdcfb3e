// The tray and its panel on a real X server with a real tray host (the test services start
// one), driven by real clicks and keys.
#include "app/main_window.h"
#include "app/panel_window.h"
#include "app_rig.h"
#include "platform/qt/x11_press_watch.h"
#include "platform/qt/x11_requests.h"
#include "support/other_application.h"

#include <QPointer>
#include <QProcess>
#include <QtTest>

using namespace velorinth;

namespace {

constexpr int kTimeoutMs = 10000;

void xdotool(const QStringList &arguments)
{
    QCOMPARE(QProcess::execute("xdotool", arguments), 0);
}

QString output(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished();
    return QString::fromUtf8(process.readAllStandardOutput());
}

void clickAt(QPoint point)
{
    xdotool({"mousemove", QString::number(point.x()), QString::number(point.y()), "click", "1"});
}

// Counts the panels shown, so that one that opens and closes between two looks still counts.
class PanelShows : public QObject
{
public:
    PanelShows() { qApp->installEventFilter(this); }
    [[nodiscard]] int count() const { return m_count; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show && qobject_cast<PanelWindow *>(watched))
            ++m_count;
        return false;
    }

private:
    int m_count = 0;
};

// Long enough for a click that a closed panel let through to have reopened it, and for the
// next click to count as a new one.
void settle()
{
    QTest::qWait(1000);
}

// Counts the presses that reach a window.
class Presses : public QObject
{
public:
    explicit Presses(QWindow *window) { window->installEventFilter(this); }
    [[nodiscard]] int count() const { return m_count; }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        m_count += event->type() == QEvent::MouseButtonPress;
        return false;
    }

private:
    int m_count = 0;
};

} // namespace

class tst_TrayX11 : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanup();
    void cleanupTestCase();

    void panelCloses_data();
    void panelCloses();
    void pressInTheAppLeavesItOpen_data();
    void pressInTheAppLeavesItOpen();
    void secondClickCloses_data();
    void secondClickCloses();
    void openWindowButtonLeavesThePanelOpen();

private:
    [[nodiscard]] QPoint iconCentre() const;
    // And checks that the panel opened just under the tray's bar, on the screen.
    void openByClick();

    std::unique_ptr<AppRig> m_rig;
};

void tst_TrayX11::initTestCase()
{
    if (!QSystemTrayIcon::isSystemTrayAvailable())
        QSKIP("no tray host on this display");
    m_rig = std::make_unique<AppRig>(QString(), std::make_unique<X11PressWatch>());
    m_rig->app->mainWindow().show();
    // Embedded once the tray host (at the top right) has taken the icon in.
    QTRY_VERIFY_WITH_TIMEOUT(m_rig->app->statusBar().trayIcon()->geometry().x() > 0, kTimeoutMs);
}

void tst_TrayX11::cleanup()
{
    m_rig->app->statusBar().closePanel();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void tst_TrayX11::cleanupTestCase()
{
    m_rig.reset();
}

QPoint tst_TrayX11::iconCentre() const
{
    return m_rig->app->statusBar().trayIcon()->geometry().center();
}

void tst_TrayX11::openByClick()
{
    clickAt(iconCentre());
    QTRY_VERIFY_WITH_TIMEOUT(m_rig->app->statusBar().panel(), kTimeoutMs);
    const QRect icon = m_rig->app->statusBar().trayIcon()->geometry();
    const QRect panel = m_rig->app->statusBar().panel()->panelGeometry();
    const QList<QRect> bars = X11Requests::desktopBars().bars;
    const auto bar = std::find_if(bars.begin(), bars.end(),
                                  [&](const QRect &bar) { return bar.contains(icon.center()); });
    QVERIFY(bar != bars.end()); // the tray host's
    QCOMPARE(panel.top(), bar->bottom() + 1 + 4);
    QVERIFY(QGuiApplication::screenAt(icon.center())->availableGeometry().contains(panel));
}

void tst_TrayX11::panelCloses_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<bool>("focusBack"); // to the window that had it before the panel opened

    QTest::newRow("click elsewhere") << "outside" << false;
    QTest::newRow("click in another application's window") << "other application" << false;
    QTest::newRow("another click on the icon") << "icon" << true;
    QTest::newRow("Escape") << "escape" << true;
}

void tst_TrayX11::panelCloses()
{
    QFETCH(QString, how);
    QFETCH(bool, focusBack);
    OtherApplication other;
    QVERIFY(other.isShown());
    const QString typingIn = QString::number(other.window());
    xdotool({"windowfocus", "--sync", typingIn});
    openByClick();
    QPointer<PanelWindow> panel = m_rig->app->statusBar().panel();

    if (how == "outside")
        clickAt({200, 600}); // over the bare desktop, another client's window
    else if (how == "other application")
        clickAt(OtherApplication::spot());
    else if (how == "icon")
        clickAt(iconCentre());
    else {
        QTRY_VERIFY_WITH_TIMEOUT(panel->isActiveWindow(), kTimeoutMs); // it takes the keyboard
        xdotool({"key", "Escape"});
    }

    QTRY_VERIFY_WITH_TIMEOUT(!panel, kTimeoutMs);
    QCoreApplication::processEvents();
    QVERIFY(!m_rig->app->statusBar().panel()); // closed for good, not opened again
    if (focusBack)
        QCOMPARE(output("xdotool", {"getwindowfocus"}).trimmed(), typingIn);
}

void tst_TrayX11::pressInTheAppLeavesItOpen_data()
{
    QTest::addColumn<bool>("inPanel"); // or in the main window

    QTest::newRow("the main window's background") << false;
    QTest::newRow("the panel's background") << true;
}

void tst_TrayX11::pressInTheAppLeavesItOpen()
{
    QFETCH(bool, inPanel);
    openByClick();
    QPointer<PanelWindow> panel = m_rig->app->statusBar().panel();
    QWidget &window = inPanel ? static_cast<QWidget &>(*panel) : m_rig->app->mainWindow();
    Presses presses(window.windowHandle());
    // The middle of the panel's title row; the main window's left edge.
    const QPoint spot = inPanel ? panel->panelGeometry().topLeft() + QPoint(140, 20)
                                : window.geometry().topLeft() + QPoint(8, 280);

    clickAt(spot);

    QTRY_COMPARE_WITH_TIMEOUT(presses.count(), 1, kTimeoutMs);
    settle();
    QVERIFY(panel && panel->isVisible());
}

void tst_TrayX11::secondClickCloses_data()
{
    QTest::addColumn<int>("delayMs");

    QTest::newRow("slowly") << 800;
    // A double click to Qt's embedded icon, which would not count as a click of its own.
    QTest::newRow("quickly") << 120;
}

void tst_TrayX11::secondClickCloses()
{
    QFETCH(int, delayMs);
    PanelShows shows;
    const QPoint icon = iconCentre();

    xdotool({"mousemove", QString::number(icon.x()), QString::number(icon.y()), "click", "--repeat",
             "2", "--delay", QString::number(delayMs), "1"});

    QTRY_COMPARE_WITH_TIMEOUT(shows.count(), 1, kTimeoutMs);
    QTRY_VERIFY_WITH_TIMEOUT(!m_rig->app->statusBar().panel(), kTimeoutMs);
    settle();
    QVERIFY(!m_rig->app->statusBar().panel());
    QCOMPARE(shows.count(), 1);
}

void tst_TrayX11::openWindowButtonLeavesThePanelOpen()
{
    MainWindow &window = m_rig->app->mainWindow();
    window.hide();
    openByClick();
    QAbstractButton *open = openWindowButton(*m_rig->app->statusBar().panel());
    QVERIFY(open);

    clickAt(open->mapToGlobal(open->rect().center()));

    QTRY_VERIFY_WITH_TIMEOUT(window.isVisible(), kTimeoutMs);
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    settle();
    QVERIFY(m_rig->app->statusBar().panel() && m_rig->app->statusBar().panel()->isVisible());
}

QTEST_MAIN(tst_TrayX11)
#include "tst_tray_x11.moc"
