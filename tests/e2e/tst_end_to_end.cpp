// The real app as a user runs it on the test display: started over its settings file, driven by
// keys and clicks, and judged from outside (the sound server, the screens' pixels, the tray,
// the settings file, the recorded suspend), through a whole session and through the faults it
// must survive.
#include "e2e/app_from_outside.h"
#include "e2e/panel_cases.h"
#include "e2e/warning_on_screen.h"
#include "platform/fake_login_manager.h"
#include "platform/fake_notification_server.h"
#include "platform/fake_status_notifier_watcher.h"
#include "platform/private_pulse_server.h"

#include <QDBusConnectionInterface>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QSettings>
#include <QtTest>

#include <algorithm>
#include <array>
#include <csignal>

using namespace velorinth;

namespace {

const QString kSavedVolume = "Velorinth_savedVolume";
const QString kFadeInProgress = "Velorinth_fadeInProgress";

// The bare desktop is the compositor's mid grey (128); one spot on each monitor that no window
// of the app covers.
constexpr QPoint kLeftMonitor(700, 700);
constexpr QPoint kRightMonitor(1900, 700);

// The default sink's volume in percent, -1 when unreadable.
int volume(const QString &server = qEnvironmentVariable("PULSE_SERVER"))
{
    // "Volume: front-left: 65536 / 100% / 0.00 dB, ..."
    static const QRegularExpression percent(" (\\d+)%");
    const QRegularExpressionMatch found = percent.match(QString::fromUtf8(
        run("pactl", {"--server=" + server, "get-sink-volume", "@DEFAULT_SINK@"})));
    return found.hasMatch() ? found.captured(1).toInt() : -1;
}

bool faded(const QString &server = qEnvironmentVariable("PULSE_SERVER"))
{
    const int level = volume(server);
    return level >= 0 && level < 100;
}

bool bothScreensGrey(int lowest, int highest)
{
    const QImage shot = screenshot();
    return !shot.isNull()
        && std::ranges::all_of(std::array{kLeftMonitor, kRightMonitor}, [&](QPoint spot) {
               const int level = qGray(shot.pixel(spot));
               return level >= lowest && level <= highest;
           });
}

bool bothScreensDark()
{
    return bothScreensGrey(0, 64);
}

// The app's darkening over the right monitor, or none.
Window rightOverlay(const QProcess &app)
{
    for (const Window &overlay : shownWindows(WindowTraits::ofApp(app).withRole("dimming"))) {
        if (overlay.frame.contains(kRightMonitor))
            return overlay;
    }
    return {};
}

} // namespace

class tst_EndToEnd : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void sessionRoad(); // and a second launch meanwhile
    void trayOverStatusNotifier();
    void panelLeftOpenForTheWindow();
    void panelClosesOnAPressElsewhere_data();
    void panelClosesOnAPressElsewhere();
    void iconTogglesThePanel_data();
    void iconTogglesThePanel();
    void garbageSettingsFile();
    void endDuringFade_data();
    void endDuringFade();
    void soundServerStopped();
    void monitorSwitchedOffAndOn();
    void warningAboveTheDarkening();

private:
    [[nodiscard]] QString settingsPath() const { return m_session->settingsPath(); }
    [[nodiscard]] QSettings settings() const { return m_session->settings(); }
    QProcess &launch(const QProcessEnvironment &changes = {})
    {
        m_app = &m_session->launch(changes);
        return *m_app;
    }
    [[nodiscard]] bool startSession(const QVariantMap &values,
                                    const QProcessEnvironment &changes = {})
    {
        const bool started = m_session->startSession(values, changes);
        m_app = &m_session->app();
        return started;
    }
    // Launches the app and waits for its icon, which the tray host embeds; the icon's rectangle,
    // empty when it never shows.
    [[nodiscard]] QRect launchToTray()
    {
        launch();
        Window icon;
        static_cast<void>(
            QTest::qWaitFor([&] { return (icon = trayIconOf(*m_app)).id != 0; }, kWaitMs));
        return icon.frame;
    }

    std::unique_ptr<UserSession> m_session;
    QProcess *m_app = nullptr; // the last launch
};

void tst_EndToEnd::init()
{
    m_session = std::make_unique<UserSession>();
    QVERIFY2(m_session->reader.isConnected(),
             "no accessibility bus: run with tools/with-test-services.sh");
    run("pactl", {"set-sink-volume", "@DEFAULT_SINK@", "100%"});
}

void tst_EndToEnd::cleanup()
{
    m_session.reset();
}

void tst_EndToEnd::sessionRoad()
{
    FakeNotificationServer notifications;
    QVERIFY(notifications.start());
    // Short enough to be inside the fade and the dimming from the start.
    QVERIFY(startSession(
        {{"sessionDuration", 15}, {"isFadeOutEnabled", true}, {"isScreenDimmingEnabled", true}}));

    QTRY_VERIFY_WITH_TIMEOUT(settings().value(kFadeInProgress).toBool(), kWaitMs);
    QCOMPARE(settings().value(kSavedVolume).toInt(), 100);
    QTRY_VERIFY_WITH_TIMEOUT(faded(), kWaitMs);
    QTRY_VERIFY_WITH_TIMEOUT(bothScreensDark(), kWaitMs);
    // So near the end, the tray's picture counts the seconds.
    const QRect icon = trayIconOf(*m_app).frame;
    QVERIFY(!icon.isEmpty());
    const QImage picture = screenshot().copy(icon);
    QTRY_VERIFY_WITH_TIMEOUT(screenshot().copy(icon) != picture, kWaitMs);

    // Closed, the window only hides while the tray is there; a second launch brings it back
    // and leaves, and this run's engine stays the only one.
    QProcess &first = *m_app;
    requestClose(windowOf(first, "main-window").id);
    QTRY_VERIFY_WITH_TIMEOUT(!windowOf(first, "main-window").id, kWaitMs);
    QProcess &second = launch();
    QTRY_COMPARE_WITH_TIMEOUT(second.state(), QProcess::NotRunning, kWaitMs);
    QCOMPARE(second.exitStatus(), QProcess::NormalExit);
    QCOMPARE(second.exitCode(), 0);
    QTRY_VERIFY_WITH_TIMEOUT(windowOf(first, "main-window").id, kWaitMs);

    QTRY_COMPARE_WITH_TIMEOUT(notifications.shown().size(), 1, kWaitMs);
    QCOMPARE(notifications.shown()[0].body, "Mise en veille imminente... 💤");
    QVERIFY(m_session->systemctl.calls().isEmpty()); // the notice comes before the sleep
    // At zero the suspend, then the stop gives everything back.
    QTRY_COMPARE_WITH_TIMEOUT(m_session->systemctl.calls(), QList<QStringList>{{"suspend"}},
                              kWaitMs);
    QTRY_COMPARE_WITH_TIMEOUT(volume(), 100, kWaitMs);
    QTRY_VERIFY_WITH_TIMEOUT(bothScreensGrey(110, 255), kWaitMs);
    QVERIFY(!settings().contains(kSavedVolume));
    QVERIFY(!settings().contains(kFadeInProgress));

    // The tray icon opens the panel, whose power button quits.
    click(icon.center());
    QTRY_VERIFY_WITH_TIMEOUT(windowOf(first, "panel").id, kWaitMs);
    QVERIFY(m_session->clickOn("Quitter Velorinth"));
    QTRY_COMPARE_WITH_TIMEOUT(first.state(), QProcess::NotRunning, kWaitMs);
    QCOMPARE(first.exitCode(), 0);
    QCOMPARE(m_session->systemctl.calls().size(), 1);
    QCOMPARE(notifications.shown().size(), 1);
}

void tst_EndToEnd::trayOverStatusNotifier()
{
    FakeStatusNotifierWatcher tray;
    QVERIFY(tray.start());
    launch();
    QTRY_COMPARE_WITH_TIMEOUT(tray.toolTip(), "Velorinth", kWaitMs);
    const QList<FakeStatusNotifierWatcher::Picture> idle = tray.pictures();
    QVERIFY(!idle.isEmpty());

    // Such a host gives no icon geometry: the panel opens at the pointer.
    run("xdotool", {"mousemove", "1800", "300"});
    static_cast<void>(tray.activate({1800, 300}));
    QTRY_VERIFY_WITH_TIMEOUT(windowOf(*m_app, "panel").id, kWaitMs);
    QVERIFY(m_session->clickOn("15 minutes"));
    QTRY_VERIFY_WITH_TIMEOUT(tray.toolTip().startsWith("Velorinth 14:5"), kWaitMs);
    QVERIFY(tray.pictures() != idle);
    const QString running = tray.toolTip();
    QTRY_VERIFY_WITH_TIMEOUT(tray.toolTip() != running, kWaitMs);

    // The panel's stop asks first.
    QVERIFY(m_session->clickOn("Arrêter la minuterie"));
    QVERIFY(m_session->clickOn("Arrêter"));
    QTRY_COMPARE_WITH_TIMEOUT(tray.toolTip(), "Velorinth", kWaitMs);
    QCOMPARE(tray.pictures(), idle);
}

void tst_EndToEnd::panelLeftOpenForTheWindow()
{
    const QRect icon = launchToTray();
    QVERIFY(!icon.isEmpty());
    PanelCases::windowTakesItsPresses(*m_session, icon.center());
}

void tst_EndToEnd::panelClosesOnAPressElsewhere_data()
{
    PanelCases::addPlacesElsewhere();
}

void tst_EndToEnd::panelClosesOnAPressElsewhere()
{
    const QRect icon = launchToTray();
    QVERIFY(!icon.isEmpty());
    PanelCases::closesOnAPressElsewhere(*m_app, icon.center());
}

void tst_EndToEnd::iconTogglesThePanel_data()
{
    PanelCases::addClickGaps();
}

void tst_EndToEnd::iconTogglesThePanel()
{
    const QRect icon = launchToTray();
    QVERIFY(!icon.isEmpty());
    PanelCases::iconToggles(*m_app, icon.center());
}

void tst_EndToEnd::garbageSettingsFile()
{
    FakeStatusNotifierWatcher tray;
    QVERIFY(tray.start());
    QByteArray garbage;
    for (int i = 0; i < 4096; ++i)
        garbage += char(i * 239 % 256); // every byte, NUL, newline, '[' and '=' among them
    QVERIFY(QDir().mkpath(QFileInfo(settingsPath()).path()));
    QFile file(settingsPath());
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(garbage) == garbage.size());
    file.close();

    QVERIFY(startSession({}));
    // The default session: half an hour.
    QTRY_VERIFY_WITH_TIMEOUT(tray.toolTip().startsWith("Velorinth 29:5"), kWaitMs);
}

void tst_EndToEnd::endDuringFade_data()
{
    QTest::addColumn<int>("signal"); // none: the user closes the window

    QTest::newRow("SIGTERM, as at logout") << SIGTERM;
    QTest::newRow("SIGINT") << SIGINT;
    QTest::newRow("SIGHUP") << SIGHUP;
    QTest::newRow("window closed, no tray host, then SIGTERM") << 0;
    QTest::newRow("SIGKILL") << SIGKILL;
}

void tst_EndToEnd::endDuringFade()
{
    QFETCH(int, signal);
    const bool crashes = signal == SIGKILL;
    std::optional<TrayHostAway> away;
    if (!signal) {
        away.emplace("trayer");
        QTRY_VERIFY_WITH_TIMEOUT(!away->isThere(), kWaitMs);
    }
    QVERIFY(
        startSession({{"sessionDuration", 600}, {"isFadeOutEnabled", true}, {"isLEDOff", true}}));
    QTRY_VERIFY_WITH_TIMEOUT(faded(), kWaitMs);

    if (!signal) {
        // With no way in but a second launch, closing only hides while the session runs: a
        // quit would leave the machine awake. Then the logout ends it.
        requestClose(windowOf(*m_app, "main-window").id);
        QTRY_VERIFY_WITH_TIMEOUT(!windowOf(*m_app, "main-window").id, kWaitMs);
        QCOMPARE(m_app->state(), QProcess::Running);
        QVERIFY(faded());
        signal = SIGTERM;
    }
    QElapsedTimer ending;
    ending.start();
    ::kill(pid_t(m_app->processId()), signal);
    QVERIFY(m_app->waitForFinished(kWaitMs));
    // At logout the desktop waits for us: far below a second, even on a loaded machine.
    QVERIFY2(ending.elapsed() < 1000, qPrintable(QString::number(ending.elapsed())));
    QCOMPARE(m_app->exitStatus() == QProcess::CrashExit, crashes);
    if (crashes) { // the next start puts the sound back
        QVERIFY(faded() && settings().contains(kFadeInProgress));
        launch();
    } else {
        QCOMPARE(m_app->exitCode(), 0);
        QCOMPARE(volume(), 100); // put back before the exit
    }
    QTRY_COMPARE_WITH_TIMEOUT(volume(), 100, kWaitMs);
    QTRY_VERIFY_WITH_TIMEOUT(!settings().contains(kFadeInProgress), kWaitMs);
    QVERIFY(!settings().contains(kSavedVolume));
    // A quit stores the LED option off (no `batt` here to switch a LED back on); after a crash
    // it stays on, for the next start to keep the LED off.
    QCOMPARE(settings().value("isLEDOff").toBool(), crashes);
}

void tst_EndToEnd::soundServerStopped()
{
    PrivatePulseServer sound;
    QVERIFY(sound.start());
    // The suspend goes through logind when systemctl fails.
    FakeLoginManager login;
    QVERIFY(login.start());
    m_session->systemctl.rewrite(reportingError("Access denied"));
    QProcessEnvironment pulse;
    pulse.insert("PULSE_SERVER", sound.address());
    QVERIFY(startSession({{"sessionDuration", 12}, {"isFadeOutEnabled", true}}, pulse));
    QTRY_VERIFY_WITH_TIMEOUT(faded(sound.address()), kWaitMs);

    sound.stop();
    QTRY_COMPARE_WITH_TIMEOUT(login.suspendCalls(), QList<bool>{true}, kWaitMs);
    QCOMPARE(m_session->systemctl.calls().size(), 1);
    QCOMPARE(m_app->state(), QProcess::Running);
}

void tst_EndToEnd::monitorSwitchedOffAndOn()
{
    QVERIFY(startSession({{"sessionDuration", 60}, {"isScreenDimmingEnabled", true}}));
    QTRY_VERIFY_WITH_TIMEOUT(bothScreensDark(), kWaitMs);

    const auto switchOn = [] {
        run("xrandr", {"--output", "DUMMY1", "--mode", "right", "--pos", "1280x0"});
    };
    auto onAgain = qScopeGuard(switchOn);
    run("xrandr", {"--output", "DUMMY1", "--off"});
    QTRY_VERIFY_WITH_TIMEOUT(!rightOverlay(*m_app).id, kWaitMs);
    switchOn();
    onAgain.dismiss();
    QTRY_VERIFY_WITH_TIMEOUT(rightOverlay(*m_app).id, kWaitMs);
    QTRY_VERIFY_WITH_TIMEOUT(bothScreensDark(), kWaitMs);
}

void tst_EndToEnd::warningAboveTheDarkening()
{
    // The notification server many users of a bare window manager run.
    QProcess dunst;
    dunst.start("dunst", QStringList());
    const auto stopDunst = qScopeGuard([&] {
        dunst.terminate();
        dunst.waitForFinished(kWaitMs);
    });
    QTRY_VERIFY_WITH_TIMEOUT(QDBusConnection::sessionBus().interface()->isServiceRegistered(
                                 "org.freedesktop.Notifications"),
                             kWaitMs);

    const WarningOnScreen seen = warningNearTheEnd(*m_session, bubbleWindowsOf("Dunst"));

    QVERIFY2(seen.readable(), seen.description().constData());
}

QTEST_MAIN(tst_EndToEnd)
#include "tst_end_to_end.moc"
