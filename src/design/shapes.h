#pragma once

#include <QPainterPath>
#include <QRectF>

namespace velorinth {

// A rounded rectangle whose corners ease into the sides (continuous curvature) instead
// of meeting them with a circular arc. Radii too large for that fall back to arcs.
[[nodiscard]] QPainterPath continuousRoundedRect(const QRectF &rect, qreal radius);
// Fully rounded ends along the shorter side.
[[nodiscard]] QPainterPath capsule(const QRectF &rect);

} // namespace velorinth
