#pragma once

#include <QList>
#include <QMargins>
#include <QRect>
#include <QString>
#include <QtGui/qwindowdefs.h>

// The few X requests that Qt does not offer: those the overlays need to stay
// cheap while they darken the screens once a second, and what the desktop's
// bars tell the window manager. Outside X (the offscreen platform, macOS) they
// do nothing.
namespace velorinth::X11Requests {

// The desktop's own bars, in X's pixels from the top left of the whole desktop.
struct DesktopBars
{
    // Where each shown bar lies: dock windows and windows that reserve room, auto-hidden
    // bars included.
    QList<QRect> bars;
    // The strips of the desktop that windows keep for themselves through their struts.
    QList<QRect> reserved;
    // What the window manager leaves to windows, where it says: one area per monitor (mutter's
    // _GTK_WORKAREAS_D0), and one for the whole desktop (_NET_WORKAREA). A compositor that
    // draws its own bar, as GNOME Shell does, has no window with struts to show for it.
    QList<QRect> monitorWorkAreas;
    QRect desktopWorkArea;
};

// Sends the requests Qt has queued. On X a new window opacity is one property
// write left in the connection's buffer, which nothing else would send before
// the next repaint, and a repaint of a full-screen window costs far more.
void flush();

// Stops the window's property changes coming back as events: each opacity
// write would otherwise wake the app once more for nothing.
void ignorePropertyChanges(WId window);

// Raises the window only when another one covers part of it (X's "TopIf"
// stacking), which sends nothing back when none does. A plain raise of each
// overlay in turn swaps them on every call, and each swap comes back as an
// event that Qt answers with a round trip to the server. False outside X.
[[nodiscard]] bool raiseWhenCovered(WId window);

// Whether a compositing manager runs on the X screen, so that translucent windows show what
// lies behind them (without one their clear pixels are black). False outside X.
[[nodiscard]] bool compositorRunning();

// Presses on the window outside `area` (in the window's X pixels) fall through to whatever lies
// under it, as on a shadow drawn past a panel's edge over the desktop's bar.
void takePressesOnlyIn(WId window, const QRect &area);

// The window that has the keyboard focus: an X window, or X's none (0) or pointer root (1). 0
// outside X.
[[nodiscard]] WId inputFocus();
// Gives the keyboard focus back to what inputFocus() said had it; nothing when that window has
// gone or is hidden.
void restoreInputFocus(WId focus);

// Tells the window manager that the window moves, minimises and closes but keeps its size: no
// resizing, maximising or full screen. For a frameless window Qt allows the window manager
// every action.
void keepSize(WId window);

// Asks the window manager to show the window on every workspace (_NET_WM_DESKTOP), as windows
// that bypass it are. Read when the window is mapped.
void showOnEveryWorkspace(WId window);

// Tells the desktop which part of the window around its edges is shadow, not the window
// proper (_GTK_FRAME_EXTENTS), as windows that draw their own shadow do.
void setShadowExtents(WId window, const QMargins &extents);

// Asks the window manager to move the window with the pointer while the left button is held,
// from where the button went down, `sincePress` (X's pixels) behind the pointer: the spot that
// was pressed stays under the pointer. False where no window manager moves windows.
[[nodiscard]] bool startMove(WId window, QPoint sincePress);
// Takes back a move whose button came up before the window manager took the pointer: it would
// otherwise move the window with no button held, until the next click.
void cancelMove(WId window);

// What the running window manager calls itself ("GNOME Shell", "Xfwm4"); empty when none says,
// and outside X.
[[nodiscard]] QString windowManagerName();

// Read from each top-level window and the root window at the time of the call. Empty
// outside X.
[[nodiscard]] DesktopBars desktopBars();

} // namespace velorinth::X11Requests
