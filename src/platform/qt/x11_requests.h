#pragma once

#include <QtGui/qwindowdefs.h>

// The few X requests that Qt does not offer and the overlays need to stay
// cheap while they darken the screens once a second. Outside X (the offscreen
// platform, macOS) they do nothing.
namespace velorinth::X11Requests {

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

} // namespace velorinth::X11Requests
