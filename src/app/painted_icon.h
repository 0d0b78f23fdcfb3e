#pragma once

#include <QIcon>
#include <QList>
#include <QRectF>
#include <QSize>

#include <functional>

class QPainter;

namespace velorinth {

using IconPainter = std::function<void(QPainter &painter, const QRectF &square)>;

// An icon drawn on demand into the square it is given, at the size and pixel ratio asked
// for: sharp in any tray or title bar without a stock of prepared pixmaps. `sizes` are the
// ones it offers to those who pick from a list (window icons, D-Bus trays).
[[nodiscard]] QIcon paintedIcon(IconPainter paint, const QList<QSize> &sizes);

} // namespace velorinth
