#include "design/frame_layout.h"

#include <QWidget>

#include <algorithm>
#include <cmath>

namespace velorinth {

QMargins spillMargins(const QMarginsF &spill)
{
    const auto up = [](qreal v) { return static_cast<int>(std::ceil(v)); };
    return {up(spill.left()), up(spill.top()), up(spill.right()), up(spill.bottom())};
}

QSize frameSizeOf(const QWidget *control)
{
    return control->sizeHint().shrunkBy(control->contentsMargins());
}

void setFrame(QWidget *control, const QRectF &frame)
{
    control->setGeometry(frame.toRect().marginsAdded(control->contentsMargins()));
}

QSize rowSize(const QList<QWidget *> &controls, int spacing)
{
    QSize size(controls.isEmpty() ? 0 : -spacing, 0);
    for (const QWidget *control : controls) {
        const QSize frame = frameSizeOf(control);
        size = {size.width() + spacing + frame.width(), std::max(size.height(), frame.height())};
    }
    return size;
}

void placeRow(const QList<QWidget *> &controls, int spacing, QPoint centre)
{
    int left = centre.x() - rowSize(controls, spacing).width() / 2;
    for (QWidget *control : controls) {
        const QSize frame = frameSizeOf(control);
        setFrame(control, QRect(QPoint(left, centre.y() - frame.height() / 2), frame));
        left += frame.width() + spacing;
    }
}

} // namespace velorinth
