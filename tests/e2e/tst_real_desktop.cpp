// The app's tray icon, panel and window on a desktop as users have one: a compositing window
// manager, and a bar along the top of the primary monitor whose tray shows the icon as a
// StatusNotifierItem, between a task list and a clock. The desktop's own programs place, close
// and resize the windows; the app is judged from outside.
#include "e2e/app_from_outside.h"
#include "e2e/panel_cases.h"
#include "e2e/warning_on_screen.h"

#include <QDBusInterface>
#include <QScopeGuard>
#include <QtTest>

using namespace velorinth;

namespace {

constexpr QRect kPrimaryMonitor(0, 0, 1280, 800);
// Where the user drags the main window before it is closed.
constexpr QPoint kDraggedTo(150, 120);
// How long the window manager may take to hand the reopened window the focus.
constexpr int kFocusWaitMs = 5000;

// The desktop's bar, as it tells the window manager.
[[nodiscard]] Window bar()
{
    return shownWindow(WindowTraits::ofClass("xfce4-panel").withType("_NET_WM_WINDOW_TYPE_DOCK"));
}

// The bar's tray: of the bar's plugins, the one that runs in a process of its own, embedded.
[[nodiscard]] Window tray()
{
    return shownWindow(WindowTraits::ofClass("wrapper-2.0").embedded());
}

// The items in the bar's tray, as its watcher lists them on the session bus.
[[nodiscard]] QStringList trayItems()
{
    QDBusInterface watcher("org.kde.StatusNotifierWatcher", "/StatusNotifierWatcher",
                           "org.kde.StatusNotifierWatcher");
    return watcher.property("RegisteredStatusNotifierItems").toStringList();
}

// Moves the desktop's bar along the top or the bottom of its monitor, as its settings do;
// false when it does not get there.
[[nodiscard]] bool putBar(const QString &edge)
{
    run("xfconf-query",
        {"-c", "xfce4-panel", "-p", "/panels/panel-1/position", "-s",
         edge == "top" ? "p=6;x=0;y=0" : "p=8;x=0;y=0"});
    return QTest::qWaitFor([&] { return (bar().frame.top() == 0) == (edge == "top"); }, kWaitMs);
}

// Requests to the window manager say they come from a pager or a window's menu: the user's.
constexpr uint32_t kFromUser = 2;

// What the window manager's close button or menu does.
void closeByWindowManager(qulonglong window)
{
    constexpr uint32_t now = 0;
    askWindowManager(window, "_NET_CLOSE_WINDOW", {now, kFromUser});
}

} // namespace

class tst_RealDesktop : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void panelBesideTheBar_data();
    void panelBesideTheBar();
    void iconClickedTwice_data();
    void iconClickedTwice();
    void panelLeftOpenForTheWindow();
    void panelClosesOnAPressElsewhere_data();
    void panelClosesOnAPressElsewhere();
    void iconTogglesThePanel_data();
    void iconTogglesThePanel();
    void windowReopensWhereItWas_data();
    void windowReopensWhereItWas();
    void maximiseRefused_data();
    void maximiseRefused();
    void closeWithoutTray_data();
    void closeWithoutTray();
    void warningAboveTheDarkening();

private:
    // Launches the app and waits for its icon in the tray; the icon's rectangle, empty when it
    // never shows.
    [[nodiscard]] QRect launchToTray();
    [[nodiscard]] Window panel() { return windowOf(m_session->app(), "panel"); }
    [[nodiscard]] Window mainWindow() { return windowOf(m_session->app(), "main-window"); }

    std::unique_ptr<UserSession> m_session;
};

void tst_RealDesktop::initTestCase()
{
    QVERIFY2(bar().id, "no panel bar: run with tools/with-test-services.sh --real-desktop");
}

void tst_RealDesktop::init()
{
    m_session = std::make_unique<UserSession>();
    QVERIFY2(m_session->reader.isConnected(),
             "no accessibility bus: run with tools/with-test-services.sh --real-desktop");
}

void tst_RealDesktop::cleanup()
{
    m_session.reset();
}

// The icon has no window of its own: it is what the app's item changes in the tray, from the
// tray as it is drawn with no item to the tray once it has stopped changing (it may draw the
// icon in steps).
QRect tst_RealDesktop::launchToTray()
{
    parkPointer(); // no tray item lit up under it
    QImage before;
    const auto steady = [&] {
        const QImage shot = screenshot().copy(tray().frame);
        const bool same = shot == before;
        before = shot;
        return same;
    };
    if (!QTest::qWaitFor([&] { return trayItems().isEmpty() && steady(); }, kWaitMs))
        return {};
    const QImage empty = screenshot();
    m_session->launch();
    QRect icon;
    static_cast<void>(QTest::qWaitFor(
        [&] {
            const QRect drawn = changedArea(empty, screenshot(), tray().frame);
            const bool done = !drawn.isEmpty() && drawn == icon;
            icon = drawn;
            return done;
        },
        kWaitMs));
    return icon;
}

void tst_RealDesktop::panelBesideTheBar_data()
{
    QTest::addColumn<QString>("edge");

    QTest::newRow("bar at the top") << "top";
    QTest::newRow("bar at the bottom") << "bottom";
}

// Such a tray gives the app no icon geometry, only the pointer.
void tst_RealDesktop::panelBesideTheBar()
{
    QFETCH(QString, edge);
    auto backOnTop = qScopeGuard([] { static_cast<void>(putBar("top")); });
    QVERIFY(putBar(edge));
    const bool onTop = edge == "top";
    const QRect barFrame = bar().frame;

    const QRect icon = launchToTray();
    QVERIFY(!icon.isEmpty());
    click(icon.center());
    QTRY_VERIFY_WITH_TIMEOUT(panel().id, kWaitMs);

    const QRect shown = shownPanel(panel());
    QVERIFY2(!shown.intersects(barFrame),
             qPrintable(QString("panel at %1,%2 %3x%4")
                            .arg(shown.x())
                            .arg(shown.y())
                            .arg(shown.width())
                            .arg(shown.height())));
    QVERIFY(kPrimaryMonitor.contains(shown));
    // Against the bar, under the icon.
    QVERIFY(onTop ? shown.top() - barFrame.bottom() <= 8 : barFrame.top() - shown.bottom() <= 8);
    QVERIFY(shown.left() <= icon.center().x() && icon.center().x() <= shown.right());
}

void tst_RealDesktop::iconClickedTwice_data()
{
    QTest::addColumn<bool>("quickly");

    QTest::newRow("slowly: once the panel shows") << false;
    QTest::newRow("quickly: a double click") << true; // maybe before the panel shows
}

void tst_RealDesktop::iconClickedTwice()
{
    QFETCH(bool, quickly);
    const QRect icon = launchToTray();
    QVERIFY(!icon.isEmpty());

    for (int round = 0; round < 2; ++round) { // and again from a closed panel
        if (quickly) {
            run("xdotool",
                {"mousemove", QString::number(icon.center().x()),
                 QString::number(icon.center().y()), "click", "--repeat", "2", "1"});
        } else {
            clickByHand(icon.center());
            QTRY_VERIFY_WITH_TIMEOUT(panel().id, kWaitMs);
            clickByHand(icon.center());
        }
        QTRY_VERIFY_WITH_TIMEOUT(!panel().id, kWaitMs);
        // No panel comes back late either.
        QTest::qWait(kSettleMs);
        QVERIFY(!panel().id);
    }
}

void tst_RealDesktop::panelLeftOpenForTheWindow()
{
    const QRect icon = launchToTray();
    QVERIFY(!icon.isEmpty());
    PanelCases::windowTakesItsPresses(*m_session, icon.center());
}

void tst_RealDesktop::panelClosesOnAPressElsewhere_data()
{
    PanelCases::addPlacesElsewhere();
}

void tst_RealDesktop::panelClosesOnAPressElsewhere()
{
    const QRect icon = launchToTray();
    QVERIFY(!icon.isEmpty());
    PanelCases::closesOnAPressElsewhere(m_session->app(), icon.center());
}

void tst_RealDesktop::iconTogglesThePanel_data()
{
    PanelCases::addClickGaps();
}

void tst_RealDesktop::iconTogglesThePanel()
{
    const QRect icon = launchToTray();
    QVERIFY(!icon.isEmpty());
    PanelCases::iconToggles(m_session->app(), icon.center());
}

void tst_RealDesktop::windowReopensWhereItWas_data()
{
    QTest::addColumn<bool>("fromPanel"); // or by launching the app again

    QTest::newRow("the panel's open-window button") << true;
    QTest::newRow("a second launch") << false;
}

void tst_RealDesktop::windowReopensWhereItWas()
{
    QFETCH(bool, fromPanel);
    const QRect icon = launchToTray();
    QVERIFY(!icon.isEmpty());
    QTRY_VERIFY_WITH_TIMEOUT(m_session->launched(), kWaitMs);
    run("xdotool",
        {"windowmove", QString::number(mainWindow().id), QString::number(kDraggedTo.x()),
         QString::number(kDraggedTo.y())});
    QTRY_COMPARE_WITH_TIMEOUT(mainWindow().frame.topLeft(), kDraggedTo, kWaitMs);
    // The window manager's close only hides it while the tray is there.
    closeByWindowManager(mainWindow().id);
    QTRY_VERIFY_WITH_TIMEOUT(!mainWindow().id, kWaitMs);

    if (fromPanel) {
        click(icon.center());
        QTRY_VERIFY_WITH_TIMEOUT(panel().id, kWaitMs);
        QVERIFY(m_session->clickOn("Ouvrir Velorinth"));
    } else {
        QProcess &second = m_session->launch();
        QVERIFY(second.waitForFinished(kWaitMs));
    }
    QTRY_VERIFY_WITH_TIMEOUT(mainWindow().id, kWaitMs);
    QCOMPARE(mainWindow().frame.topLeft(), kDraggedTo);
    if (fromPanel) { // the panel stays open for the next choice, also once the window has the focus
        // On a loaded machine the window manager may leave the focus where it was; the panel
        // must stay open either way.
        const bool focused = QTest::qWaitFor(
            [&] {
                return run("xdotool", {"getactivewindow"}).trimmed()
                    == QByteArray::number(mainWindow().id);
            },
            kFocusWaitMs);
        if (!focused)
            qInfo("the window manager kept the focus elsewhere");
        QTest::qWait(kSettleMs);
        QVERIFY(panel().id);
    }
}

void tst_RealDesktop::maximiseRefused_data()
{
    QTest::addColumn<QByteArrayList>("states"); // asked of the window manager together

    QTest::newRow("maximised") << QByteArrayList{"_NET_WM_STATE_MAXIMIZED_VERT",
                                                 "_NET_WM_STATE_MAXIMIZED_HORZ"};
    QTest::newRow("full screen") << QByteArrayList{"_NET_WM_STATE_FULLSCREEN"};
}

void tst_RealDesktop::maximiseRefused()
{
    QFETCH(QByteArrayList, states);
    QVERIFY(m_session->launchToWindow());
    const Window before = mainWindow();

    constexpr uint32_t add = 1;
    askWindowManager(before.id, "_NET_WM_STATE",
                     {add, atom(states.value(0)), atom(states.value(1)), kFromUser});
    // The window manager takes requests in order: once the window shows on every workspace,
    // it has dealt with the one before.
    askWindowManager(before.id, "_NET_WM_STATE", {add, atom("_NET_WM_STATE_STICKY"), 0, kFromUser});
    const auto windowStates = [&] {
        return run("xprop", {"-id", QString::number(before.id), "_NET_WM_STATE"});
    };
    QTRY_VERIFY_WITH_TIMEOUT(windowStates().contains("_NET_WM_STATE_STICKY"), kWaitMs);
    // Where the window manager does it all the same, the app undoes it.
    QTRY_VERIFY2_WITH_TIMEOUT(!windowStates().contains(states[0]), windowStates().constData(),
                              kWaitMs);
    QTRY_COMPARE_WITH_TIMEOUT(mainWindow().frame, before.frame, kWaitMs);
}

void tst_RealDesktop::closeWithoutTray_data()
{
    QTest::addColumn<QVariantMap>("settings");
    QTest::addColumn<bool>("hides"); // or quits

    const QVariantMap quiet{{"isFadeOutEnabled", false}, {"isScreenDimmingEnabled", false}};
    QVariantMap running = quiet;
    running.insert("sessionDuration", 600);
    QVariantMap scheduled = quiet;
    scheduled.insert("isScheduleEnabled", true);
    QTest::newRow("session running") << running << true;
    QTest::newRow("daily schedule on") << scheduled << true;
    QTest::newRow("neither") << quiet << false;
}

void tst_RealDesktop::closeWithoutTray()
{
    QFETCH(QVariantMap, settings);
    QFETCH(bool, hides);
    const TrayHostAway away("xfce4-panel");
    QTRY_VERIFY_WITH_TIMEOUT(!away.isThere(), kWaitMs);
    if (settings.contains("sessionDuration")) {
        QVERIFY(m_session->startSession(settings));
    } else {
        m_session->setSettings(settings);
        QVERIFY(m_session->launchToWindow());
    }
    QProcess &app = m_session->app();

    closeByWindowManager(mainWindow().id);
    if (!hides) {
        QVERIFY(app.waitForFinished(kWaitMs));
        QCOMPARE(app.exitStatus(), QProcess::NormalExit);
        QCOMPARE(app.exitCode(), 0);
        return;
    }
    QTRY_VERIFY_WITH_TIMEOUT(!mainWindow().id, kWaitMs);
    // Launching the app again brings it back, and the second run leaves.
    QProcess &second = m_session->launch();
    QTRY_VERIFY_WITH_TIMEOUT(
        app.state() == QProcess::NotRunning || second.state() == QProcess::NotRunning, kWaitMs);
    QCOMPARE(app.state(), QProcess::Running);
    QTRY_VERIFY_WITH_TIMEOUT(windowOf(app, "main-window").id, kWaitMs);
}

void tst_RealDesktop::warningAboveTheDarkening()
{
    const WarningOnScreen seen = warningNearTheEnd(*m_session, bubbleWindowsOf("Xfce4-notifyd"));

    QVERIFY2(seen.readable(), seen.description().constData());
}

QTEST_MAIN(tst_RealDesktop)
#include "tst_real_desktop.moc"
