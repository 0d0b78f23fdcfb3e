#pragma once

#include <QColor>
#include <QMarginsF>
#include <QPixmap>
#include <QPointF>
#include <QRectF>

#include <vector>

class QPainter;

namespace velorinth {

// The blurred silhouette of a rounded rectangle: drop shadows, glows and soft orbs.
// Blurred once into a pixmap at the painter's pixel ratio and kept by this instance for
// that size, radius and ratio, so painting it per frame is a plain blit.
class SoftShadow
{
public:
    // Cleared: nothing under the shape itself, for shapes that are not opaque.
    enum class Inside { Filled, Cleared };

    // blurRadius is the Gaussian's standard deviation in points.
    SoftShadow(const QColor &colour, qreal blurRadius, QPointF offset = {},
               Inside inside = Inside::Filled);

    void paint(QPainter &painter, const QRectF &shape, qreal cornerRadius) const;
    // Uncached, for owners that keep a large one themselves; drawn at shape's top left
    // minus reach().left()/top() (the offset is not applied).
    [[nodiscard]] QPixmap render(QSizeF shapeSize, qreal cornerRadius, qreal pixelRatio) const;
    // How far the visible shadow reaches beyond the shape on each side, offset included.
    [[nodiscard]] QMarginsF reach() const;
    // How far the rendered pixmap extends beyond the shape on each side, without offset.
    [[nodiscard]] qreal extent() const;

private:
    struct Rendered
    {
        QSizeF shapeSize;
        qreal cornerRadius;
        qreal pixelRatio;
        QPixmap pixmap;
    };

    [[nodiscard]] const QPixmap &pixmapFor(QSizeF shapeSize, qreal cornerRadius,
                                           qreal pixelRatio) const;

    QColor m_colour;
    qreal m_blurRadius;
    QPointF m_offset;
    Inside m_inside;
    // Most recent first. One shadow style is often shared by a few shapes of different
    // sizes on screen at once (the glass cards), hence a few entries, not one.
    mutable std::vector<Rendered> m_rendered;
};

} // namespace velorinth
