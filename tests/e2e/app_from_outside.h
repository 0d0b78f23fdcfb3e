#pragma once

// The real app as a user runs it on the test display, and that display, read and worked from
// outside the app: windows found by what their programs set on them, the app's buttons by the
// names it gives screen readers, input through xdotool, and what a window manager sends.
// Every wait here polls to a deadline.
#include "e2e/screen_reader.h"
#include "support/stub_program.h"

#include <QByteArray>
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
// Longer than any timer of the app that closes or opens a window by itself (the panel gives the
// focus 1.5 s to come back): what has not happened by then does not happen.
inline constexpr int kSettleMs = 3000;

// The output of `program`, empty when it fails or outlasts kWaitMs.
QByteArray run(const QString &program, const QStringList &arguments);
[[nodiscard]] QImage screenshot();
// A click as xdotool makes it: press and release at once.
void click(QPoint point);
// A click as a hand makes it: the button held down a moment, long enough for the app to deal
// with the press before the release.
void clickByHand(QPoint point);
// Moves the pointer to the desktop's far corner, off every window and bar of the tests.
void parkPointer();

// A shown window: its id and where it lies on the desktop, in X's pixels.
struct Window
{
    qulonglong id = 0; // none
    QRect frame;
    qint64 pid = 0; // of the program that made it, 0 when it does not say
};

// What tells a window apart, from what its program sets on it; empty fields match any window.
struct WindowTraits
{
    [[nodiscard]] static WindowTraits ofApp(const QProcess &app);
    [[nodiscard]] static WindowTraits ofClass(const QByteArray &windowClass);
    [[nodiscard]] WindowTraits withRole(const QByteArray &role) const;
    [[nodiscard]] WindowTraits withType(const QByteArray &type) const;
    // Inside another program's window, as an XEmbed tray holds its icons.
    [[nodiscard]] WindowTraits embedded() const;

    qint64 pid = 0; // _NET_WM_PID
    QByteArray windowClass; // WM_CLASS, its instance or its class
    QByteArray role; // WM_WINDOW_ROLE
    QByteArray type; // one of its _NET_WM_WINDOW_TYPE, e.g. "_NET_WM_WINDOW_TYPE_DOCK"
    bool isEmbedded = false;
};

// The shown (viewable) windows with `traits`, top-level and embedded ones alike.
[[nodiscard]] std::vector<Window> shownWindows(const WindowTraits &traits);
// The first of them, or none.
[[nodiscard]] Window shownWindow(const WindowTraits &traits);

// The app's windows by the role it gives them: "main-window", "panel", "dimming" (one per screen).
[[nodiscard]] inline Window windowOf(const QProcess &app, const QByteArray &role)
{
    return shownWindow(WindowTraits::ofApp(app).withRole(role));
}
// The app's tray icon where the tray embeds it (XEmbed), or none.
[[nodiscard]] inline Window trayIconOf(const QProcess &app)
{
    return shownWindow(WindowTraits::ofApp(app).embedded());
}

// The panel without the room around it that its window keeps for the shadow, as the window
// tells the desktop (_GTK_FRAME_EXTENTS).
[[nodiscard]] QRect shownPanel(const Window &panel);

// Where `after` differs from `before` inside `area`: what something new drew there, such as a
// tray icon that has no window of its own. Empty when nothing changed.
[[nodiscard]] QRect changedArea(const QImage &before, const QImage &after, const QRect &area);

// What a window manager sends the app when the user closes `window`.
void requestClose(qulonglong window);
// What a pager or a window's menu asks of the window manager for `window`: a `type` message
// with `data`, as the root window takes it.
void askWindowManager(qulonglong window, const char *type, const std::array<uint32_t, 5> &data);
// The X atom of `name`; none for an empty one.
[[nodiscard]] uint32_t atom(const QByteArray &name);

// Takes the desktop's tray host, the program whose windows are of `windowClass`, away: asks
// it to quit and kills it when it lingers. At the end starts it again as it was (detached, and
// off the test's output, which it would otherwise hold open) and fails the test when its windows
// do not come back.
class TrayHostAway
{
public:
    explicit TrayHostAway(QByteArray windowClass);
    ~TrayHostAway();
    TrayHostAway(const TrayHostAway &) = delete;
    TrayHostAway &operator=(const TrayHostAway &) = delete;

    [[nodiscard]] bool isThere() const;

private:
    QByteArray m_windowClass;
    QStringList m_command;
};

// One user's desktop session, a case's: a home and a runtime directory of its own, a stub
// `systemctl` to go first on PATH, recording the suspend, a screen reader, and the app's runs.
// At its end every run still going is asked to quit, then killed if it does not, and a run that
// had to be killed fails the test.
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
    // The last run shows its main window and, its launch over, the window's main button.
    [[nodiscard]] bool launched();
    // Launches the app and waits for its launch to end; false when it never ends.
    [[nodiscard]] bool launchToWindow(const QProcessEnvironment &changes = {});
    // Launches the app over `values`, waits for its launch to end and starts a session with
    // Space in the main window; false unless the window then shows a running session.
    [[nodiscard]] bool startSession(const QVariantMap &values,
                                    const QProcessEnvironment &changes = {});
    // The last run.
    [[nodiscard]] QProcess &app() { return *runs.back(); }

    // What the running app shows screen readers: its shown windows, pop-ups included.
    [[nodiscard]] std::vector<Element> shownWindows();
    // Where the running app shows an element named `name`; empty while none shows.
    [[nodiscard]] QRect element(const QString &name);
    // Waits for that element and clicks its middle; false when it never shows.
    [[nodiscard]] bool clickOn(const QString &name);

    QTemporaryDir home;
    QTemporaryDir runtime;
    QTemporaryDir stubs;
    StubProgram systemctl{stubs.path(), "systemctl"};
    ScreenReader reader;
    std::vector<std::unique_ptr<QProcess>> runs;
};

} // namespace velorinth
