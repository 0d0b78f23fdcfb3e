#pragma once

#include <QPainterPath>
#include <QRectF>

namespace velorinth {

// A rounded rectangle whose corners ease into the sides (continuous curvature) instead
// of meeting them with a circular arc. Each corner reaches about 1.53 radii along its
// sides; where that does not fit, the easing shrinks until, at a radius of half the
// shorter side, the ends are plain half circles. Fill and stroke the same path.
[[nodiscard]] QPainterPath continuousRoundedRect(const QRectF &rect, qreal radius);
// Fully rounded ends along the shorter side.
[[nodiscard]] QPainterPath capsule(const QRectF &rect);

} // namespace velorinth
