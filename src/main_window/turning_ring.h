#pragma once

#include <QImage>
#include <QPointF>
#include <QRgb>

#include <array>
#include <vector>

class QConicalGradient;
class QPainter;

namespace velorinth {

// A full circle stroked with a gradient round it, turning. Turning a circle leaves its
// shape where it is and only moves the colours round: its pixels and their angles are
// worked out once per pixel ratio, and a frame only looks their colours up, where a
// gradient stroke or a turned picture would cost a millisecond a frame.
class TurningRing
{
public:
    // colours: evenly spread clockwise from 3 o'clock, the last one meeting the first.
    TurningRing(qreal diameter, qreal width, const std::vector<QColor> &colours);

    // Centred on centre, turned by `rotation` degrees clockwise, at the painter's opacity.
    void paint(QPainter &painter, QPointF centre, double rotation);
    // Works its pixels out for that pixel ratio now, if it has not yet; true if it had to.
    bool prepare(qreal pixelRatio);

private:
    static constexpr int kSteps = 1024; // colours round the turn

    struct Pixel
    {
        int index; // in the image
        int step; // its angle, clockwise from 3 o'clock, in kSteps
        uint coverage; // 0 to 255
    };

    qreal m_diameter;
    qreal m_width;
    std::array<QRgb, kSteps> m_colours; // premultiplied
    std::vector<Pixel> m_pixels;
    QImage m_image;
};

} // namespace velorinth
