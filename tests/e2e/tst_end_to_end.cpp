// The real app as a user runs it on the test display: started over its settings file, driven by
// keys and clicks, and judged from outside (the sound server, the screens' pixels, the tray,
// the settings file, the recorded suspend), through a whole session and through the faults it
// must survive.
#include "e2e/app_from_outside.h"
#include "platform/fake_login_manager.h"
#include "platform/fake_notification_server.h"
#include "platform/private_pulse_server.h"
#include "support/pixels.h"

#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusVariant>
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

// The question over the panel's running view paints its answers: the confirming one, the
// upper, lies this far under the middle of the panel.
constexpr QPoint kConfirmStop(0, 11);

// One of a tray item's pictures, (iiay): width, height, ARGB pixels.
struct Picture
{
    int width = 0;
    int height = 0;
    QByteArray pixels;
    bool operator==(const Picture &) const = default;
};

const QDBusArgument &operator>>(const QDBusArgument &in, Picture &picture)
{
    in.beginStructure();
    in >> picture.width >> picture.height >> picture.pixels;
    in.endStructure();
    return in;
}

} // namespace

// The tray as KDE's and GNOME's hosts run it on the session bus: while this watcher says a host
// is there, Qt shows the tray icon as a StatusNotifierItem instead of embedding a window, and
// the test reads the item as such a host does. Asynchronous, so it shares the test's thread.
class FakeStatusNotifierWatcher : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.StatusNotifierWatcher")
    Q_PROPERTY(bool IsStatusNotifierHostRegistered READ isHostRegistered)
    Q_PROPERTY(QStringList RegisteredStatusNotifierItems MEMBER m_items)

public:
    FakeStatusNotifierWatcher() = default;
    ~FakeStatusNotifierWatcher() override { QDBusConnection::disconnectFromBus(m_bus.name()); }

    [[nodiscard]] bool start()
    {
        return m_bus.registerObject("/StatusNotifierWatcher", this,
                                    QDBusConnection::ExportAllContents)
            && m_bus.registerService("org.kde.StatusNotifierWatcher");
    }
    [[nodiscard]] bool isHostRegistered() const { return true; }

    // Of the item registered last: its tooltip's title, and its pictures.
    [[nodiscard]] QString toolTip() const
    {
        const QDBusArgument tip = itemProperty("ToolTip"); // (sa(iiay)ss)
        QString iconName;
        QList<Picture> pictures;
        QString title;
        if (tip.currentType() == QDBusArgument::StructureType) {
            tip.beginStructure();
            tip >> iconName >> pictures >> title;
            tip.endStructure();
        }
        return title;
    }
    [[nodiscard]] QList<Picture> pictures() const
    {
        const QDBusArgument listed = itemProperty("IconPixmap");
        QList<Picture> pictures;
        if (listed.currentType() == QDBusArgument::ArrayType)
            listed >> pictures;
        return pictures;
    }
    // A click on the item, as the host reports it.
    void activate(QPoint point)
    {
        m_bus.send(itemCall("org.kde.StatusNotifierItem", "Activate") << point.x() << point.y());
    }

public Q_SLOTS:
    void RegisterStatusNotifierItem(const QString &service) { m_items << service; }

private:
    [[nodiscard]] QDBusMessage itemCall(const QString &interface, const QString &method) const
    {
        return QDBusMessage::createMethodCall(m_items.value(m_items.size() - 1),
                                              "/StatusNotifierItem", interface, method);
    }
    // Empty while no item answers.
    [[nodiscard]] QDBusArgument itemProperty(const QString &name) const
    {
        const QDBusMessage get = itemCall("org.freedesktop.DBus.Properties", "Get")
            << "org.kde.StatusNotifierItem" << name;
        const QVariant value = m_bus.call(get).arguments().value(0).value<QDBusVariant>().variant();
        return value.value<QDBusArgument>();
    }

    QDBusConnection m_bus =
        QDBusConnection::connectToBus(QDBusConnection::SessionBus, "status-notifier-watcher");
    QStringList m_items;
};

class tst_EndToEnd : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void sessionRoad(); // and a second launch meanwhile
    void trayOverStatusNotifier();
    void garbageSettingsFile();
    void endDuringFade_data();
    void endDuringFade();
    void soundServerStopped();
    void monitorSwitchedOffAndOn();

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
    const QList<Picture> idle = tray.pictures();
    QVERIFY(!idle.isEmpty());

    // Such a host gives no icon geometry: the panel opens at the pointer.
    run("xdotool", {"mousemove", "1800", "300"});
    tray.activate({1800, 300});
    QTRY_VERIFY_WITH_TIMEOUT(windowOf(*m_app, "panel").id, kWaitMs);
    QVERIFY(m_session->clickOn("15"));
    QTRY_VERIFY_WITH_TIMEOUT(tray.toolTip().startsWith("Velorinth 14:5"), kWaitMs);
    QVERIFY(tray.pictures() != idle);
    const QString running = tray.toolTip();
    QTRY_VERIFY_WITH_TIMEOUT(tray.toolTip() != running, kWaitMs);

    // The panel's stop asks first.
    const QPoint confirm = m_session->contentOf(windowOf(*m_app, "panel")).center() + kConfirmStop;
    QVERIFY(m_session->clickOn("Arrêter la minuterie"));
    const QRect answer(confirm - QPoint(30, 6), QSize(60, 12));
    QTRY_VERIFY_WITH_TIMEOUT(countPixels(screenshot(), answer, isPink) > 10, kWaitMs);
    click(confirm);
    QTRY_COMPARE_WITH_TIMEOUT(tray.toolTip(), "Velorinth", kWaitMs);
    QCOMPARE(tray.pictures(), idle);
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

QTEST_MAIN(tst_EndToEnd)
#include "tst_end_to_end.moc"
