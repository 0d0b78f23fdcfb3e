#pragma once

#include <QList>
#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>

namespace velorinth::PanelPlacement {

// Room left between the panel and the tray icon, and between the panel and the edges of the
// screen's free area.
inline constexpr int kGap = 4;

// The screen a panel opens on, as the desktop shares it out, in Qt's global coordinates.
struct Desktop
{
    QRect screen;
    // The screen less what the desktop's bars keep for themselves.
    QRect available;
    // The bars on this screen, also those that keep no room (auto-hidden ones).
    QList<QRect> bars;
};

// `screen` less the parts of it that `reserved` covers, each cut off from the side that
// leaves the most room.
[[nodiscard]] QRect freeArea(const QRect &screen, const QList<QRect> &reserved);

// Where a panel of `size` opens for a tray icon at `anchor` (global coordinates; a 1 x 1
// rectangle at the pointer when the tray tells nothing). The panel opens away from the edge
// that the tray's bar lies along, clear of the bar, centred on the icon, and stays inside the
// free area. Returns its top-left corner.
[[nodiscard]] QPoint topLeft(const QRect &anchor, QSize size, const Desktop &desktop);

// The window of a panel at `panel` that keeps `margins` around it for its shadow: the margins
// are cut back to the free area, so that the shadow neither darkens a bar nor reaches onto
// another monitor.
[[nodiscard]] QRect window(const QRect &panel, const QMargins &margins, const Desktop &desktop);

} // namespace velorinth::PanelPlacement
