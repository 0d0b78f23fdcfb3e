#pragma once

#include <QRectF>
#include <QWidget>

namespace velorinth {

// Puts a control so that its frame, the widget without the margins its look spills
// into, lies on frame.
inline void placeFrame(QWidget *control, const QRectF &frame)
{
    control->setGeometry(frame.toRect().marginsAdded(control->contentsMargins()));
}

// The frame a control asks for: its size hint without those margins.
[[nodiscard]] inline QSize frameHint(const QWidget *control)
{
    return control->sizeHint().shrunkBy(control->contentsMargins());
}

} // namespace velorinth
