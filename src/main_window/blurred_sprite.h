#pragma once

#include <QPixmap>
#include <QPointF>
#include <QSizeF>

#include <functional>
#include <vector>

class QPainter;

namespace velorinth {

// A small picture blurred once and kept at each pixel ratio it is drawn at, so that a glow,
// a halo or a soft text costs a blit per frame instead of a blur.
class BlurredSprite
{
public:
    // Draws the picture in points, centred on (0, 0), within `size`.
    using Picture = std::function<void(QPainter &)>;

    // blurRadius is the Gaussian's standard deviation in points; 0 keeps the picture sharp.
    BlurredSprite(QSizeF size, qreal blurRadius, Picture picture);

    // Draws it centred on centre, at the painter's opacity and transform.
    void paint(QPainter &painter, QPointF centre) const;
    // Renders it for that pixel ratio now, if it is not yet; true if it had to.
    bool prepare(qreal pixelRatio) const;

private:
    [[nodiscard]] const QPixmap *kept(qreal pixelRatio) const;
    [[nodiscard]] const QPixmap &pixmapFor(qreal pixelRatio) const;
    [[nodiscard]] QPixmap render(qreal pixelRatio) const;

    QSizeF m_box; // the picture and the reach of its blur
    qreal m_blurRadius;
    Picture m_picture;
    mutable std::vector<QPixmap> m_rendered; // one per pixel ratio
};

} // namespace velorinth
