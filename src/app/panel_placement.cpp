#include "app/panel_placement.h"

#include <algorithm>

namespace velorinth::PanelPlacement {

namespace {

// No desktop bar is thicker than this.
constexpr int kBarReach = 64;

// The edge along which the tray's bar lies. Bars along the top or bottom are the usual ones,
// and an icon in a corner is near two edges: a side counts only away from the top and bottom.
Qt::Edge trayEdge(QPoint icon, const QRect &screen)
{
    const int fromTop = icon.y() - screen.top();
    const int fromBottom = screen.bottom() - icon.y();
    const int fromLeft = icon.x() - screen.left();
    const int fromRight = screen.right() - icon.x();
    const int vertical = std::min(fromTop, fromBottom);
    if (vertical > kBarReach && std::min(fromLeft, fromRight) < vertical)
        return fromLeft < fromRight ? Qt::LeftEdge : Qt::RightEdge;
    return fromTop < fromBottom ? Qt::TopEdge : Qt::BottomEdge;
}

// Within [low, high]; the low end wins when the range is too narrow, so a panel wider than
// the free area still shows its left edge.
int clamped(int value, int low, int high)
{
    return std::max(low, std::min(value, high));
}

} // namespace

QPoint topLeft(const QRect &anchor, QSize size, const QRect &screen, const QRect &available)
{
    const QPoint centre = anchor.topLeft() + QPoint(anchor.width() / 2, anchor.height() / 2);
    QPoint corner(centre.x() - size.width() / 2, centre.y() - size.height() / 2);
    switch (trayEdge(centre, screen)) {
    case Qt::TopEdge:
        corner.setY(anchor.top() + anchor.height() + kGap);
        break;
    case Qt::BottomEdge:
        corner.setY(anchor.top() - kGap - size.height());
        break;
    case Qt::LeftEdge:
        corner.setX(anchor.left() + anchor.width() + kGap);
        break;
    case Qt::RightEdge:
        corner.setX(anchor.left() - kGap - size.width());
        break;
    }
    const QRect room = available.adjusted(kGap, kGap, -kGap, -kGap);
    return {clamped(corner.x(), room.left(), room.left() + room.width() - size.width()),
            clamped(corner.y(), room.top(), room.top() + room.height() - size.height())};
}

} // namespace velorinth::PanelPlacement
