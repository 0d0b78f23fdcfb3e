#pragma once

#include <QList>
#include <QMargins>
#include <QRect>

class QWidget;

namespace velorinth {

// The controls paint looks that spill past their frames (shadows, strokes, rolling
// digits) and carry that spill as contents margins. The views lay them out by their
// frames, the way the design measures them; these place and measure frames, never the
// spill.

// Whole pixels around a frame that hold a look spilling this far over it.
[[nodiscard]] QMargins spillMargins(const QMarginsF &spill);
// The size hint without the spill margins.
[[nodiscard]] QSize frameSizeOf(const QWidget *control);
// Puts the control's frame, not its spill, at frame (rounded to whole points).
void setFrame(QWidget *control, const QRectF &frame);
// Controls side by side, spacing apart: the row's width and the tallest frame's height.
[[nodiscard]] QSize rowSize(const QList<QWidget *> &controls, int spacing);
// Places them side by side, spacing apart, each centred vertically on centre's height,
// the row centred horizontally on it.
void placeRow(const QList<QWidget *> &controls, int spacing, QPoint centre);

} // namespace velorinth
