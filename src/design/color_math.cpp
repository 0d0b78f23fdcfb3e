#include "design/color_math.h"

#include <QtGlobal>

namespace velorinth {

QColor mixed(const QColor &from, const QColor &to, qreal t)
{
    // A spring may carry t past either end; colours stay within sRGB.
    const auto lerp = [t](float a, float b) {
        return qBound(0.0f, a + (b - a) * static_cast<float>(t), 1.0f);
    };
    return QColor::fromRgbF(lerp(from.redF(), to.redF()), lerp(from.greenF(), to.greenF()),
                            lerp(from.blueF(), to.blueF()), lerp(from.alphaF(), to.alphaF()));
}

QColor withOpacity(QColor colour, qreal opacity)
{
    colour.setAlphaF(qBound(0.0f, static_cast<float>(colour.alphaF() * opacity), 1.0f));
    return colour;
}

} // namespace velorinth
