#pragma once

// The real app as a user runs it on the test display, and that display, read and worked from
// outside the app: with xdotool, screenshots and what a window manager sends.
#include "support/stub_program.h"

#include <QImage>
#include <QProcess>
#include <QRect>
#include <QSettings>
#include <QStringList>
#include <QTemporaryDir>
#include <QVariantMap>

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

namespace velorinth {

inline constexpr int kWaitMs = 30000;

// Where the main window's start button shows once the launch has ended.
inline constexpr QPoint kStartButton(100, 482);
// The panel's buttons, from the visible panel's centre (its content is centred): idle, then
// running.
inline constexpr QPoint kQuickStart15(-66, -25);
inline constexpr QPoint kOpenWindowButton(80, -114);
inline constexpr QPoint kPowerButton(112, -114);
inline constexpr QPoint kStopButton(109, 20);
inline constexpr QPoint kConfirmStop(0, 11); // "Arrêter", in the question over the running panel

// The output of `program`, empty when it fails.
QByteArray run(const QString &program, const QStringList &arguments);
[[nodiscard]] QImage screenshot();
void click(QPoint point);
// A click as a hand makes it: the button held down a moment, long enough for the app to deal
// with the press before the release.
void clickByHand(QPoint point);

struct Window
{
    qulonglong id = 0;
    QRect frame;
};

// The first of the visible windows that xdotool's `search` options and pattern find whose frame
// `kind` picks, or none (id 0).
[[nodiscard]] Window windowOf(const QStringList &search, bool (*kind)(const QRect &));
[[nodiscard]] inline Window windowOf(const QProcess &app, bool (*kind)(const QRect &))
{
    return windowOf({"--pid", QString::number(app.processId()), "--name", ""}, kind); // any name
}

inline constexpr auto isMainWindow = [](const QRect &frame) {
    return frame.size() == QSize(320, 560);
};
inline constexpr auto isTrayIcon = [](const QRect &frame) { return frame.width() <= 32; };
// 280 points wide, with what its window keeps of the shadow's room at its sides.
inline constexpr auto isPanel = [](const QRect &frame) {
    return frame.width() >= 280 && frame.width() <= 340 && frame.height() <= 360;
};
// The panel without the shadow around it, as its window tells the desktop.
[[nodiscard]] QRect shownPanel(const Window &panel);

// The main window shows its start button: the launch has ended.
[[nodiscard]] bool launched(const QProcess &app);

// What a window manager sends the app when the user closes `window`.
void requestClose(qulonglong window);
// What a pager or a window's menu asks of the window manager for `window`: a `type` message
// with `data`, as the root window takes it.
void askWindowManager(qulonglong window, const char *type, const std::array<uint32_t, 5> &data);
// The X atom of `name`; none for an empty one.
[[nodiscard]] uint32_t atom(const QByteArray &name);

// Takes the desktop's tray host, the program whose windows are of `windowClass`, away until
// it goes, then starts it again as it was: detached, and off the test's output, which it would
// otherwise hold open.
class TrayHostAway
{
public:
    explicit TrayHostAway(QString windowClass);
    ~TrayHostAway();
    TrayHostAway(const TrayHostAway &) = delete;
    TrayHostAway &operator=(const TrayHostAway &) = delete;

    [[nodiscard]] bool isThere() const;

private:
    QString m_windowClass;
    QStringList m_command;
};

// One user's desktop session, a case's: a home and a runtime directory of its own, a stub
// `systemctl` to go first on PATH, recording the suspend, and the app's runs, stopped at its end.
struct UserSession
{
    UserSession();
    ~UserSession();
    UserSession(const UserSession &) = delete;
    UserSession &operator=(const UserSession &) = delete;

    [[nodiscard]] QString settingsPath() const;
    [[nodiscard]] QSettings settings() const { return {settingsPath(), QSettings::IniFormat}; }
    // Sets the app's settings `values` in its settings file.
    void setSettings(const QVariantMap &values);
    // Runs the app in the session, with `changes` to the test command's environment.
    QProcess &launch(const QProcessEnvironment &changes = {});
    // Launches the app and waits for its launch to end; false when it never ends.
    [[nodiscard]] bool launchToWindow(const QProcessEnvironment &changes = {});
    // Launches the app over `values`, waits for its launch to end and starts a session with
    // Space; false when the launch never ends.
    [[nodiscard]] bool startSession(const QVariantMap &values,
                                    const QProcessEnvironment &changes = {});
    // The last launch.
    [[nodiscard]] QProcess &app() { return *runs.back(); }

    QTemporaryDir home;
    QTemporaryDir runtime;
    QTemporaryDir stubs;
    StubProgram systemctl{stubs.path(), "systemctl"};
    std::vector<std::unique_ptr<QProcess>> runs;
};

} // namespace velorinth
