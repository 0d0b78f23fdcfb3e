#pragma once

#include <QColor>

namespace velorinth {

// from at t = 0, to at t = 1, each channel and the opacity in between.
[[nodiscard]] QColor mixed(const QColor &from, const QColor &to, qreal t);
// The colour with its opacity multiplied by opacity.
[[nodiscard]] QColor withOpacity(QColor colour, qreal opacity);

} // namespace velorinth
