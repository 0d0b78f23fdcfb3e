// What the main window tells a window manager on a real X server: the hints it goes by when
// the user maximises, or when the window comes back after it was hidden; and how the pointer
// moves it, with a window manager (which moves it) and without one (the window follows itself).
#include "app/main_window.h"
#include "app_rig.h"

#include <QGuiApplication>
#include <QProcess>
#include <QStyleHints>
#include <QtTest>

using namespace velorinth;

namespace {

QString windowProperties(const QWidget &window, const QString &names)
{
    QProcess xprop;
    xprop.start("xprop", QStringList{"-id", QString::number(window.winId())} + names.split(' '));
    xprop.waitForFinished();
    return QString::fromLocal8Bit(xprop.readAllStandardOutput());
}

// One step of a hand on the pointer, the app awake meanwhile, as it is while a hand moves.
void pointer(const QStringList &step)
{
    QProcess xdotool;
    xdotool.start("xdotool", step);
    QTRY_COMPARE(xdotool.state(), QProcess::NotRunning);
}

} // namespace

class tst_MainWindowX11 : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void keepsItsSize();
    void comesBackWhereItWasLeft();
    void movedByDraggingItsBackground_data();
    void movedByDraggingItsBackground();

private:
    [[nodiscard]] MainWindow &window() { return m_rig->app->mainWindow(); }

    std::unique_ptr<AppRig> m_rig;
};

void tst_MainWindowX11::init()
{
    m_rig = std::make_unique<AppRig>();
    window().show();
    QVERIFY(QTest::qWaitForWindowExposed(&window()));
}

void tst_MainWindowX11::cleanup()
{
    m_rig.reset();
}

void tst_MainWindowX11::keepsItsSize()
{
    const QString hints = windowProperties(window(), "WM_NORMAL_HINTS _MOTIF_WM_HINTS");

    QVERIFY2(hints.contains("program specified minimum size: 320 by 560"), qPrintable(hints));
    QVERIFY2(hints.contains("program specified maximum size: 320 by 560"), qPrintable(hints));
    // Allowed: move, minimise, close; not resize nor maximise. No decorations.
    QVERIFY2(hints.contains("_MOTIF_WM_HINTS(_MOTIF_WM_HINTS) = 0x3, 0x2c, 0x0"),
             qPrintable(hints));
}

void tst_MainWindowX11::comesBackWhereItWasLeft()
{
    // Moved as a window manager moves it, from outside the app.
    const QString id = QString::number(window().winId());
    QCOMPARE(QProcess::execute("xdotool", {"windowmove", id, "400", "150"}), 0);
    QTRY_COMPARE(window().pos(), QPoint(400, 150));

    window().hide();
    window().show();
    QVERIFY(QTest::qWaitForWindowExposed(&window()));

    // Without it, a window manager places the window anew, in the middle of the screen.
    const QString hints = windowProperties(window(), "WM_NORMAL_HINTS");
    QVERIFY2(hints.contains("user specified location: 400, 150"), qPrintable(hints));
    QTRY_COMPARE(window().pos(), QPoint(400, 150));
}

void tst_MainWindowX11::movedByDraggingItsBackground_data()
{
    QTest::addColumn<QStringList>("hand");
    QTest::addColumn<int>("movedRight");

    // A touchpad's tap: the button comes up before a window manager could take the pointer.
    QTest::newRow("tap") << QStringList{"click", "1"} << 0;
    QTest::newRow("tap, pointer moved on")
        << QStringList{"click", "1", "mousemove_relative", "60", "40"} << 0;
    QTest::newRow("a hand's tremor")
        << QStringList{"mousedown", "1", "mousemove_relative", "2", "1", "mouseup", "1"} << 0;
    QTest::newRow("dragged 40 px") << QStringList{"mousedown", "1"} << 40;
}

void tst_MainWindowX11::movedByDraggingItsBackground()
{
    QFETCH(QStringList, hand);
    QFETCH(int, movedRight);
    // Left alone by the content: the window's own background.
    const QPoint background = window().mapToGlobal(QPoint(12, 12));
    const QPoint start = window().pos();

    pointer({"mousemove", QString::number(background.x()), QString::number(background.y())});
    pointer(hand);
    if (movedRight > 0) {
        for (int step = 0; step < movedRight / 5; ++step)
            pointer({"mousemove_relative", "5", "0"});
        QTRY_COMPARE(window().pos(), start + QPoint(movedRight, 0)); // the pressed spot follows
        pointer({"mouseup", "1"});
    }
    // Where the pointer goes next leaves the window where the hand left it.
    pointer({"mousemove_relative", "150", "120"});
    QTest::qWait(QGuiApplication::styleHints()->mouseDoubleClickInterval());

    QCOMPARE(window().pos(), start + QPoint(movedRight, 0));
}

QTEST_MAIN(tst_MainWindowX11)
#include "tst_main_window_x11.moc"
