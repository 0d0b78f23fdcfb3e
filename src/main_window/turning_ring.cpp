#include "main_window/turning_ring.h"

#include "design/color_math.h"

#include <QPainter>

#include <cmath>
#include <numbers>

namespace velorinth {

TurningRing::TurningRing(qreal diameter, qreal width, const std::vector<QColor> &colours)
    : m_diameter(diameter)
    , m_width(width)
{
    const int spans = static_cast<int>(colours.size()) - 1;
    for (int step = 0; step < kSteps; ++step) {
        const qreal at = qreal(step) / kSteps * spans;
        const int from = std::min(static_cast<int>(at), spans - 1);
        m_colours[step] = qPremultiply(mixed(colours[from], colours[from + 1], at - from).rgba());
    }
}

bool TurningRing::prepare(qreal pixelRatio)
{
    if (!m_image.isNull() && m_image.devicePixelRatio() == pixelRatio)
        return false;
    const int side = static_cast<int>(std::ceil((m_diameter + m_width) * pixelRatio)) + 2;
    QImage shape(side, side, QImage::Format_Alpha8);
    shape.fill(0);
    {
        QPainter painter(&shape);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(Qt::black, m_width * pixelRatio));
        const qreal radius = m_diameter * pixelRatio / 2;
        painter.drawEllipse(QPointF(side, side) / 2.0, radius, radius);
    }
    m_pixels.clear();
    const qreal middle = side / 2.0;
    for (int y = 0; y < side; ++y) {
        const uchar *coverage = shape.constScanLine(y);
        for (int x = 0; x < side; ++x) {
            if (coverage[x] == 0)
                continue;
            // With y downwards, atan2 turns clockwise from 3 o'clock.
            double angle = std::atan2(y + 0.5 - middle, x + 0.5 - middle);
            if (angle < 0)
                angle += 2 * std::numbers::pi;
            const int step = static_cast<int>(angle / (2 * std::numbers::pi) * kSteps) % kSteps;
            m_pixels.push_back({y * side + x, step, coverage[x]});
        }
    }
    m_image = QImage(side, side, QImage::Format_ARGB32_Premultiplied);
    m_image.fill(Qt::transparent);
    m_image.setDevicePixelRatio(pixelRatio);
    return true;
}

void TurningRing::paint(QPainter &painter, QPointF centre, double rotation)
{
    prepare(painter.device()->devicePixelRatioF());
    // Turned clockwise by `rotation`, a pixel shows the colour from that much before it.
    const double turn = rotation / 360.0;
    const int shift = static_cast<int>(std::lround((turn - std::floor(turn)) * kSteps));
    auto *pixels = reinterpret_cast<QRgb *>(m_image.bits());
    for (const Pixel &pixel : m_pixels) {
        const QRgb colour = m_colours[(pixel.step - shift + kSteps) % kSteps];
        // Premultiplied channels scale alike with the coverage.
        const uint c = pixel.coverage;
        pixels[pixel.index] = qRgba(qRed(colour) * c / 255, qGreen(colour) * c / 255,
                                    qBlue(colour) * c / 255, qAlpha(colour) * c / 255);
    }
    // Clear edges: no antialiasing, which would resample the image at a fraction of a pixel.
    const QSizeF size = m_image.deviceIndependentSize();
    const bool antialiased = painter.testRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.drawImage(centre - QPointF(size.width(), size.height()) / 2.0, m_image);
    painter.setRenderHint(QPainter::Antialiasing, antialiased);
}

} // namespace velorinth
