#include "screen_pixels.h"

#include <algorithm>
#include <cmath>

namespace velorinth::ScreenPixels {

namespace {

QList<QRect> onScreen(const QList<QRect> &rects, const QRect &screen, qreal ratio,
                      QRect (*rounded)(const QRectF &))
{
    const QRectF native(screen.topLeft(), QSizeF(screen.size()) * ratio);
    QList<QRect> found;
    for (const QRect &rect : rects) {
        const QRectF part = QRectF(rect) & native;
        if (part.isEmpty())
            continue;
        const QPointF corner = screen.topLeft() + (part.topLeft() - native.topLeft()) / ratio;
        found.append(rounded(QRectF(corner, part.size() / ratio)) & screen);
    }
    return found;
}

qint64 room(const QRect &rect)
{
    return rect.isValid() ? qint64(rect.width()) * rect.height() : 0;
}

} // namespace

QList<QRect> outward(const QList<QRect> &rects, const QRect &screen, qreal ratio)
{
    return onScreen(rects, screen, ratio, [](const QRectF &rect) { return rect.toAlignedRect(); });
}

QList<QRect> inward(const QList<QRect> &rects, const QRect &screen, qreal ratio)
{
    return onScreen(rects, screen, ratio, [](const QRectF &area) {
        const QPoint topLeft(int(std::ceil(area.left())), int(std::ceil(area.top())));
        const QPoint end(int(std::floor(area.right())), int(std::floor(area.bottom())));
        return QRect(topLeft, end - QPoint(1, 1));
    });
}

QList<QRect> workAreas(const X11Requests::DesktopBars &bars, const QRect &screen, qreal ratio)
{
    QList<QRect> said;
    for (const QList<QRect> &areas : {bars.monitorWorkAreas, QList{bars.desktopWorkArea}}) {
        const QList<QRect> parts = inward(areas, screen, ratio);
        const auto largest =
            std::max_element(parts.begin(), parts.end(),
                             [](const QRect &a, const QRect &b) { return room(a) < room(b); });
        if (largest != parts.end() && room(*largest) > 0)
            said.append(*largest);
    }
    return said;
}

} // namespace velorinth::ScreenPixels
