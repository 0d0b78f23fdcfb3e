#include "app/desktop_area.h"

#include <QGuiApplication>
#include <QScreen>

namespace velorinth::DesktopArea {

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
    // Rounded outwards: a bar of 31 pixels at 1.5 covers 21 points, not 20.
    const auto onScreen = [&](const QList<QRect> &rects) {
        QList<QRect> found;
        for (const QRect &rect : rects) {
            const QRectF part = QRectF(rect) & native;
            if (part.isEmpty())
                continue;
            const QPointF corner = screen.topLeft() + (part.topLeft() - native.topLeft()) / ratio;
            found.append(QRectF(corner, part.size() / ratio).toAlignedRect() & screen);
        }
        return found;
    };
    return {screen, PanelPlacement::freeArea(screen, onScreen(bars.reserved)) & available,
            onScreen(bars.bars)};
}

} // namespace velorinth::DesktopArea
