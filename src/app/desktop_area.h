#pragma once

#include "app/panel_placement.h"
#include "platform/qt/x11_requests.h"

namespace velorinth::DesktopArea {

// The screen at `point` as the desktop shares it out now: Qt's available geometry ignores
// the bars on multi-monitor X11, so they are read from X.
[[nodiscard]] PanelPlacement::Desktop at(QPoint point);

// The same from `bars` in X's pixels, for a screen of `screen` geometry in Qt's coordinates,
// `ratio` X pixels to a point, whose free area Qt gives as `available`. Qt keeps a screen's
// top-left corner where X has it and divides the distances from there. The free area is the
// window manager's work area for this monitor, else its work area for the whole desktop
// restricted to the monitor, else the screen; always less the bars' struts.
[[nodiscard]] PanelPlacement::Desktop fromX(const X11Requests::DesktopBars &bars,
                                            const QRect &screen, qreal ratio,
                                            const QRect &available);

} // namespace velorinth::DesktopArea
