// What the main window tells a window manager on a real X server: the hints it goes by when
// the user maximises, or when the window comes back after it was hidden.
#include "app/main_window.h"
#include "app_rig.h"

#include <QProcess>
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

} // namespace

class tst_MainWindowX11 : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void keepsItsSize();
    void comesBackWhereItWasLeft();

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

QTEST_MAIN(tst_MainWindowX11)
#include "tst_main_window_x11.moc"
