#include "app/panel_placement.h"

#include <algorithm>

namespace velorinth::PanelPlacement {

namespace {

// No desktop bar is thicker than this.
constexpr int kBarReach = 64;

// The edge along which the tray's bar lies, guessed from where the icon is when no bar is
// known. Bars along the top or bottom are the usual ones, and an icon in a corner is near two
// edges: a side counts only away from the top and bottom.
Qt::Edge nearestEdge(QPoint icon, const QRect &screen)
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

// A bar lies along the edge it runs beside: its long side tells which two, its place which one.
Qt::Edge edgeOf(const QRect &bar, const QRect &screen)
{
    if (bar.width() >= bar.height())
        return bar.center().y() < screen.center().y() ? Qt::TopEdge : Qt::BottomEdge;
    return bar.center().x() < screen.center().x() ? Qt::LeftEdge : Qt::RightEdge;
}

// The icon stretched across the bar's whole thickness, so that the panel clears the bar and
// not only the icon (or the pointer) within it.
QRect acrossBar(const QRect &icon, const QRect &bar, Qt::Edge edge)
{
    if (edge == Qt::TopEdge || edge == Qt::BottomEdge)
        return icon.united(QRect(icon.left(), bar.top(), icon.width(), bar.height()));
    return icon.united(QRect(bar.left(), icon.top(), bar.width(), icon.height()));
}

// Within [low, high]; the low end wins when the range is too narrow, so a panel wider than
// the free area still shows its left edge.
int clamped(int value, int low, int high)
{
    return std::max(low, std::min(value, high));
}

} // namespace

QRect freeArea(const QRect &screen, const QList<QRect> &reserved)
{
    QRect area = screen;
    for (const QRect &strip : reserved) {
        const QRect overlap = strip & area;
        if (overlap.isEmpty())
            continue;
        const QRect cuts[] = {
            QRect(QPoint(area.left(), overlap.bottom() + 1), area.bottomRight()),
            QRect(area.topLeft(), QPoint(area.right(), overlap.top() - 1)),
            QRect(QPoint(overlap.right() + 1, area.top()), area.bottomRight()),
            QRect(area.topLeft(), QPoint(overlap.left() - 1, area.bottom())),
        };
        const auto room = [](const QRect &cut) {
            return cut.isValid() ? qint64(cut.width()) * cut.height() : 0;
        };
        area = *std::max_element(std::begin(cuts), std::end(cuts),
                                 [&](const QRect &a, const QRect &b) { return room(a) < room(b); });
    }
    return area;
}

QPoint topLeft(const QRect &anchor, QSize size, const Desktop &desktop)
{
    const QPoint centre = anchor.topLeft() + QPoint(anchor.width() / 2, anchor.height() / 2);
    const auto bar = std::find_if(desktop.bars.begin(), desktop.bars.end(),
                                  [&](const QRect &bar) { return bar.contains(centre); });
    const Qt::Edge edge = bar != desktop.bars.end() ? edgeOf(*bar, desktop.screen)
                                                    : nearestEdge(centre, desktop.screen);
    const QRect tray = bar != desktop.bars.end() ? acrossBar(anchor, *bar, edge) : anchor;

    QPoint corner(centre.x() - size.width() / 2, centre.y() - size.height() / 2);
    switch (edge) {
    case Qt::TopEdge:
        corner.setY(tray.top() + tray.height() + kGap);
        break;
    case Qt::BottomEdge:
        corner.setY(tray.top() - kGap - size.height());
        break;
    case Qt::LeftEdge:
        corner.setX(tray.left() + tray.width() + kGap);
        break;
    case Qt::RightEdge:
        corner.setX(tray.left() - kGap - size.width());
        break;
    }
    const QRect room = desktop.available.adjusted(kGap, kGap, -kGap, -kGap);
    return {clamped(corner.x(), room.left(), room.left() + room.width() - size.width()),
            clamped(corner.y(), room.top(), room.top() + room.height() - size.height())};
}

QRect window(const QRect &panel, const QMargins &margins, const Desktop &desktop)
{
    return (panel.marginsAdded(margins) & desktop.available) | panel;
}

} // namespace velorinth::PanelPlacement
