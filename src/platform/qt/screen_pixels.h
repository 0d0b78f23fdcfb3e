#pragma once

#include "x11_requests.h"

#include <QList>
#include <QRect>

// X's pixels in Qt's coordinates on one screen: Qt keeps a screen's top-left corner where X has
// it and divides the distances from there by the screen's pixel ratio.
namespace velorinth::ScreenPixels {

// The parts of `rects`, in X's pixels over the whole desktop, that lie on `screen` (Qt's), in Qt's
// coordinates. Outwards for what must be covered whole: a bar of 31 pixels at 1.5 covers 21
// points, not 20. Inwards for what must not reach past its edges: an area that starts at 32 pixels
// at 1.5 starts at 22 points, not 21.
[[nodiscard]] QList<QRect> outward(const QList<QRect> &rects, const QRect &screen, qreal ratio);
[[nodiscard]] QList<QRect> inward(const QList<QRect> &rects, const QRect &screen, qreal ratio);

// What the window manager leaves to windows on `screen`, its best word first: its area for this
// monitor, then its area for the whole desktop, which takes one monitor's bar off the others too;
// of each the largest part on the screen. None where it says neither.
[[nodiscard]] QList<QRect> workAreas(const X11Requests::DesktopBars &bars, const QRect &screen,
                                     qreal ratio);

} // namespace velorinth::ScreenPixels
