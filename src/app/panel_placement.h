#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

namespace velorinth::PanelPlacement {

// Room left between the panel and the tray icon, and between the panel and the edges of the
// screen's free area.
inline constexpr int kGap = 4;

// Where a panel of `size` opens for a tray icon at `anchor` (global coordinates; a 1 x 1
// rectangle at the pointer when the tray tells nothing) on a screen of `screen` geometry whose
// area free of the desktop's own bars is `available`. The panel opens away from the edge that
// the tray's bar lies along, centred on the icon, and stays inside the free area. Returns its
// top-left corner.
[[nodiscard]] QPoint topLeft(const QRect &anchor, QSize size, const QRect &screen,
                             const QRect &available);

} // namespace velorinth::PanelPlacement
