#include "design/transition.h"

namespace velorinth {

QTransform Transition::Effect::transformAt(qreal away, const QRectF &frame) const
{
    const QPointF pivot(frame.left() + anchor.x() * frame.width(),
                        frame.top() + anchor.y() * frame.height());
    const QPointF offset(move.x() * frame.width() * away, move.y() * frame.height() * away);
    const qreal factor = 1.0 + (scale - 1.0) * away;
    QTransform transform;
    transform.translate(pivot.x() + offset.x(), pivot.y() + offset.y());
    transform.scale(factor, factor);
    transform.translate(-pivot.x(), -pivot.y());
    return transform;
}

} // namespace velorinth
