#pragma once

#include <QMarginsF>
#include <QRectF>

class QPainter;

namespace velorinth {

// The faint translucent card: a continuous rounded rectangle filled with the glass tint,
// a 0.5-point hairline and a soft drop shadow. Paint the surface, then the content, then
// the border.
class Glass
{
public:
    static constexpr qreal kDefaultCornerRadius = 16.0;

    explicit Glass(qreal cornerRadius = kDefaultCornerRadius);

    // highlight 0 fills with glassBackground, 1 with glassSelection; values in between
    // let a caller animate the change.
    void paintSurface(QPainter &painter, const QRectF &frame, qreal highlight = 0.0) const;
    void paintBorder(QPainter &painter, const QRectF &frame) const;
    // How far the shadow reaches outside the frame: the room a widget leaves around it.
    [[nodiscard]] static QMarginsF shadowReach();

private:
    qreal m_cornerRadius;
};

} // namespace velorinth
