#include "app/desktop_area.h"

#include "platform/qt/screen_pixels.h"

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
    const QRect free =
        PanelPlacement::freeArea(screen, ScreenPixels::outward(bars.reserved, screen, ratio))
        & available;
    const QList<QRect> onThisScreen = ScreenPixels::outward(bars.bars, screen, ratio);
    for (const QRect &said : ScreenPixels::workAreas(bars, screen, ratio)) {
        if (!(said & free).isEmpty())
            return {screen, said & free, onThisScreen};
    }
    return {screen, free, onThisScreen};
}

} // namespace velorinth::DesktopArea
