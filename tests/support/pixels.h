#pragma once

#include <QImage>
#include <QRect>

#include <functional>

namespace velorinth {

// How many pixels of `area` (in points; scaled by the image's pixel ratio) satisfy test.
inline int countPixels(const QImage &image, const QRectF &area,
                       const std::function<bool(QColor)> &test)
{
    const qreal ratio = image.devicePixelRatio();
    const QRect pixels = QRectF(area.topLeft() * ratio, area.size() * ratio)
                             .toAlignedRect()
                             .intersected(image.rect());
    int count = 0;
    for (int y = pixels.top(); y <= pixels.bottom(); ++y) {
        for (int x = pixels.left(); x <= pixels.right(); ++x)
            count += test(image.pixelColor(x, y)) ? 1 : 0;
    }
    return count;
}

inline bool isWhite(QColor c)
{
    return c.red() > 225 && c.green() > 225 && c.blue() > 225;
}

inline bool isPink(QColor c)
{
    return c.red() > 180 && c.green() < 110 && c.blue() < 140;
}

inline bool isBlue(QColor c)
{
    return c.blue() > 150 && c.blue() > c.red() + 60 && c.blue() > c.green() + 30;
}

inline bool isPurple(QColor c)
{
    return c.red() > 120 && c.blue() > 150 && c.green() < 110;
}

} // namespace velorinth
