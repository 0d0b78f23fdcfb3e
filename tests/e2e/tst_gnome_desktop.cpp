// The app's tray icon, panel and warning on GNOME Shell as most Linux users have it: the top bar
// drawn by the compositor on the primary monitor, the AppIndicator extension hosting the icon in
// it, and the shell's own notification server. The app is judged from outside.
#include "e2e/app_from_outside.h"
#include "e2e/panel_cases.h"
#include "e2e/warning_on_screen.h"

#include <QElapsedTimer>
#include <QRegularExpression>
#include <QtTest>

using namespace velorinth;

namespace {

constexpr QRect kPrimaryMonitor(0, 0, 1280, 800);

// The bar's height, from the work area that mutter leaves on the primary monitor; 0 without
// GNOME Shell. "_GTK_WORKAREAS_D0(CARDINAL) = 0, 32, 1280, 768, 1280, 0, 1280, 1024"
[[nodiscard]] int barHeight()
{
    const QByteArray said = run("xprop", {"-root", "_GTK_WORKAREAS_D0"});
    return said.mid(said.indexOf('=') + 1).split(',').value(1).trimmed().toInt();
}

// The right quarter of the bar, where the extension puts tray icons beside the system menu: out
// of reach of the clock and of the notification banners, which change on their own.
[[nodiscard]] QRect trayArea()
{
    const int quarter = kPrimaryMonitor.width() / 4;
    return {kPrimaryMonitor.right() + 1 - quarter, 0, quarter, barHeight()};
}

// Longer than the shell shows a banner once the user is active.
constexpr qint64 kBannerMs = 5000;

// The shell's banners come down under the bar on the primary monitor, drawn by the shell itself:
// there is no window to find them by.
[[nodiscard]] QRect bannerArea()
{
    return {0, barHeight(), kPrimaryMonitor.width(), 160};
}

// Until the shell shows no banner. Those it posts at its own start wait for the user to be active,
// then go one after the other: the pointer moves, off the banners, until nothing changes there.
[[nodiscard]] bool noBanner()
{
    QImage last = screenshot();
    QElapsedTimer unchanged;
    unchanged.start();
    int nudge = 0;
    return QTest::qWaitFor(
        [&] {
            run("xdotool", {"mousemove", QString::number(640 + (++nudge % 2)), "500"});
            const QImage now = screenshot();
            if (!changedArea(last, now, bannerArea()).isEmpty()) {
                last = now;
                unchanged.restart();
            }
            return unchanged.elapsed() > kBannerMs;
        },
        3 * kWaitMs);
}

} // namespace

class tst_GnomeDesktop : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void iconShows();
    void windowTakesItsPresses();
    void closesOnAPressElsewhere_data();
    void closesOnAPressElsewhere();
    void eachClickTogglesThePanel_data();
    void eachClickTogglesThePanel();
    void panelUnderTheBar();
    void warningWithTheAppsIcon();
    void warningAboveTheDarkening();
    void darkOnEveryWorkspace();

private:
    // Launches the app and waits until its icon has come into the bar and stays; the icon's
    // rectangle, found by the change it makes there, empty when none comes.
    [[nodiscard]] QRect launchToTray();
    [[nodiscard]] Window panel() { return windowOf(m_session->app(), "panel"); }

    std::unique_ptr<UserSession> m_session;
    QImage m_emptyTray; // the screen before the case, its bar's tray empty
};

void tst_GnomeDesktop::initTestCase()
{
    QVERIFY2(barHeight() > 0,
             "no GNOME Shell: run with tools/with-test-services.sh --gnome-desktop");
}

void tst_GnomeDesktop::init()
{
    m_session = std::make_unique<UserSession>();
    run("xdotool", {"mousemove", "640", "500"}); // off the bar, which highlights what it is over
    m_emptyTray = screenshot();
}

void tst_GnomeDesktop::cleanup()
{
    m_session.reset();
    // Until the extension has taken the icon away, for the next case to see it come.
    static_cast<void>(QTest::qWaitFor(
        [this] { return changedArea(m_emptyTray, screenshot(), trayArea()).isEmpty(); }, kWaitMs));
}

QRect tst_GnomeDesktop::launchToTray()
{
    const QRect area = trayArea();
    m_session->launch();
    QRect icon;
    static_cast<void>(QTest::qWaitFor(
        [&] {
            const QRect seen = changedArea(m_emptyTray, screenshot(), area);
            const bool settled = !seen.isEmpty() && seen == icon; // the icon may fade in
            icon = seen;
            return settled;
        },
        kWaitMs));
    return icon;
}

void tst_GnomeDesktop::iconShows()
{
    const QRect icon = launchToTray();
    QVERIFY(!icon.isEmpty());
    QVERIFY(icon.width() <= 32 && icon.height() <= barHeight());
}

void tst_GnomeDesktop::windowTakesItsPresses()
{
    const QRect icon = launchToTray();
    QVERIFY(!icon.isEmpty());
    PanelCases::windowTakesItsPresses(*m_session, icon.center());
}

void tst_GnomeDesktop::closesOnAPressElsewhere_data()
{
    PanelCases::addPlacesElsewhere();
}

void tst_GnomeDesktop::closesOnAPressElsewhere()
{
    const QRect icon = launchToTray();
    QVERIFY(!icon.isEmpty());
    PanelCases::closesOnAPressElsewhere(m_session->app(), icon.center());
}

void tst_GnomeDesktop::eachClickTogglesThePanel_data()
{
    PanelCases::addClickGaps();
}

// The extension counts a press and its release as two clicks: every click must still be one.
void tst_GnomeDesktop::eachClickTogglesThePanel()
{
    const QRect icon = launchToTray();
    QVERIFY(!icon.isEmpty());
    PanelCases::iconToggles(m_session->app(), icon.center(), 10); // opened and closed five times
}

void tst_GnomeDesktop::panelUnderTheBar()
{
    const QRect icon = launchToTray();
    QVERIFY(!icon.isEmpty());
    click(icon.center());
    QTRY_VERIFY_WITH_TIMEOUT(panel().id, kWaitMs);

    const Window window = panel();
    const QRect shown = shownPanel(window);
    QVERIFY2(shown.top() >= barHeight() && shown.top() - barHeight() <= 8,
             qPrintable(
                 QString("panel from y = %1 under a bar of %2").arg(shown.top()).arg(barHeight())));
    // Neither the panel nor its shadow's margin lies over the bar or on the other monitor.
    QVERIFY(window.frame.top() >= barHeight());
    QVERIFY(kPrimaryMonitor.contains(window.frame));
    QVERIFY(shown.left() <= icon.center().x() && icon.center().x() <= shown.right());
}

void tst_GnomeDesktop::warningWithTheAppsIcon()
{
    // What the app asks of the shell's notification server, as the bus carries it.
    QProcess bus;
    bus.start("dbus-monitor",
              {"--session", "interface='org.freedesktop.Notifications',member='Notify'"});
    QVERIFY(bus.waitForStarted(kWaitMs));
    QByteArray heard;
    const auto notified = [&] {
        heard += bus.readAllStandardOutput();
        return heard.contains("member=Notify") && heard.contains("int32 -1"); // its last argument
    };
    QVERIFY(!notified()); // nothing before the session

    // The warning comes 10 s before the end of so short a session.
    QVERIFY(m_session->startSession(
        {{"sessionDuration", 15}, {"isFadeOutEnabled", false}, {"isScreenDimmingEnabled", false}}));
    QTRY_VERIFY_WITH_TIMEOUT(notified(), kWaitMs);
    bus.kill();
    bus.waitForFinished(kWaitMs);

    // app_name, replaces_id, then app_icon: the name the app's icon is installed under.
    const QString call = QString::fromUtf8(heard.mid(heard.indexOf("member=Notify")));
    static const QRegularExpression icon(R"(string "Velorinth"\s+uint32 0\s+string "velorinth")");
    QVERIFY2(icon.match(call).hasMatch(), qPrintable(call));
    // And the desktop file the shell files the warning under.
    static const QRegularExpression entry(
        R"(string "desktop-entry"\s+variant\s+string "velorinth")");
    QVERIFY2(entry.match(call).hasMatch(), qPrintable(call));
}

// The shell draws its banners over the windows' layer, under what bypasses the window manager.
void tst_GnomeDesktop::warningAboveTheDarkening()
{
    QVERIFY(noBanner());
    const QImage without = screenshot();
    // A banner is where the area changes, seen before the darkening changes it all: the app's
    // comes where the test's came. Its shadow's edge, over the darkening, is left out.
    const auto find = [&] {
        const QRect seen = changedArea(without, screenshot(), bannerArea());
        return seen.isEmpty() ? seen : seen.adjusted(12, 12, -12, -12);
    };

    const WarningOnScreen seen = warningNearTheEnd(*m_session, {find, false});

    QVERIFY2(seen.readable(), seen.description().constData());
}

// What bypasses the window manager shows on every workspace; the darkening under the shell's
// banners has to ask for it.
void tst_GnomeDesktop::darkOnEveryWorkspace()
{
    const QPoint wallpaper(1000, 600); // on the primary monitor, clear of the app's window
    const double clear = screenshot().pixelColor(wallpaper).valueF();
    const auto dark = [&] { return screenshot().pixelColor(wallpaper).valueF() < clear / 2; };
    QVERIFY(m_session->startSession({{"sessionDuration", 15}, {"isScreenDimmingEnabled", true}}));
    QTRY_VERIFY_WITH_TIMEOUT(dark(), kWaitMs);

    run("xdotool", {"set_desktop", "1"}); // the empty one the shell keeps after the last
    const auto back = qScopeGuard([] { run("xdotool", {"set_desktop", "0"}); });
    QTRY_COMPARE_WITH_TIMEOUT(run("xdotool", {"get_desktop"}).trimmed(), "1", kWaitMs);
    QTest::qWait(1000); // the shell slides the workspaces in a quarter of a second

    QVERIFY(dark());
}

QTEST_MAIN(tst_GnomeDesktop)
#include "tst_gnome_desktop.moc"
