#include "app/desktop_area.h"

#include <QGuiApplication>
#include <QScreen>

#include <algorithm>
#include <cmath>

namespace velorinth::DesktopArea {

namespace {

// Rounded inwards: an area that starts at 32 pixels at 1.5 starts at 22 points, not 21.
QRect inward(const QRectF &area)
{
    const QPoint topLeft(int(std::ceil(area.left())), int(std::ceil(area.top())));
    const QPoint end(int(std::floor(area.right())), int(std::floor(area.bottom())));
    return {topLeft, end - QPoint(1, 1)};
}

qint64 room(const QRect &rect)
{
    return rect.isValid() ? qint64(rect.width()) * rect.height() : 0;
}

} // namespace

PanelPlacement::Desktop at(QPoint point)
{
    const QScreen *screen = QGuiApplication::screenAt(point);
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    return fromX(X11Requests::desktopBars(), screen->geometry(), screen->devicePixelRatio(),
                 screen->availableGeometry());
}

PanelPlacement::Desktop fromX(const X11Requests::DesktopBars &bars, const QRect &screen,
                              qreal ratio, const QRect &available)
{
    const QRectF native(screen.topLeft(), QSizeF(screen.size()) * ratio);
    const auto onScreen = [&](const QList<QRect> &rects, QRect (*rounded)(const QRectF &)) {
        QList<QRect> found;
        for (const QRect &rect : rects) {
            const QRectF part = QRectF(rect) & native;
            if (part.isEmpty())
                continue;
            const QPointF corner = screen.topLeft() + (part.topLeft() - native.topLeft()) / ratio;
            found.append(rounded(QRectF(corner, part.size() / ratio)) & screen);
        }
        return found;
    };
    // Rounded outwards: a bar of 31 pixels at 1.5 covers 21 points, not 20.
    const auto outward = [](const QRectF &rect) { return rect.toAlignedRect(); };
    const QRect free =
        PanelPlacement::freeArea(screen, onScreen(bars.reserved, outward)) & available;
    const QList<QRect> onThisScreen = onScreen(bars.bars, outward);

    // The window manager's word first, per monitor where it gives one: the desktop-wide area
    // takes one monitor's bar off the others too.
    for (const QList<QRect> &said : {bars.monitorWorkAreas, QList{bars.desktopWorkArea}}) {
        const QList<QRect> parts = onScreen(said, inward);
        const auto largest =
            std::max_element(parts.begin(), parts.end(),
                             [](const QRect &a, const QRect &b) { return room(a) < room(b); });
        if (largest != parts.end() && !(*largest & free).isEmpty())
            return {screen, *largest & free, onThisScreen};
    }
    return {screen, free, onThisScreen};
}

} // namespace velorinth::DesktopArea
