#include "design/soft_shadow.h"

#include "design/gaussian_blur.h"
#include "design/shapes.h"

#include <QImage>
#include <QPainter>

#include <algorithm>

namespace velorinth {

namespace {
// Large blurs are computed at reduced resolution (a blurred edge has no fine detail) and
// scaled up once, so even a 160-pixel blur costs a few milliseconds.
constexpr double kFinestSigma = 6.0;
// More than the distinct card sizes one screen shows with the same shadow.
constexpr size_t kKeptPixmaps = 8;
} // namespace

SoftShadow::SoftShadow(const QColor &colour, qreal blurRadius, QPointF offset, Inside inside)
    : m_colour(colour)
    , m_blurRadius(blurRadius)
    , m_offset(offset)
    , m_inside(inside)
{
}

qreal SoftShadow::extent() const
{
    return blurReach(m_blurRadius);
}

QMarginsF SoftShadow::reach() const
{
    const qreal e = extent();
    return {qMax(0.0, e - m_offset.x()), qMax(0.0, e - m_offset.y()), qMax(0.0, e + m_offset.x()),
            qMax(0.0, e + m_offset.y())};
}

void SoftShadow::paint(QPainter &painter, const QRectF &shape, qreal cornerRadius) const
{
    const QPixmap &pixmap =
        pixmapFor(shape.size(), cornerRadius, painter.device()->devicePixelRatioF());
    const qreal e = extent();
    painter.drawPixmap(shape.topLeft() + m_offset - QPointF(e, e), pixmap);
}

const QPixmap &SoftShadow::pixmapFor(QSizeF shapeSize, qreal cornerRadius, qreal pixelRatio) const
{
    const auto kept = std::find_if(m_rendered.begin(), m_rendered.end(), [&](const Rendered &r) {
        return r.shapeSize == shapeSize && r.cornerRadius == cornerRadius
            && r.pixelRatio == pixelRatio;
    });
    if (kept != m_rendered.end()) {
        std::rotate(m_rendered.begin(), kept, kept + 1);
        return m_rendered.front().pixmap;
    }
    if (m_rendered.size() == kKeptPixmaps)
        m_rendered.pop_back();
    m_rendered.insert(
        m_rendered.begin(),
        {shapeSize, cornerRadius, pixelRatio, render(shapeSize, cornerRadius, pixelRatio)});
    return m_rendered.front().pixmap;
}

QPixmap SoftShadow::render(QSizeF shapeSize, qreal cornerRadius, qreal pixelRatio) const
{
    const qreal e = extent();
    const QSizeF logical = shapeSize + QSizeF(2 * e, 2 * e);
    const QSize pixels = (logical * pixelRatio).toSize();
    const double sigma = m_blurRadius * pixelRatio;
    const int reduction = qMax(1, static_cast<int>(sigma / kFinestSigma));

    QImage alpha((pixels / reduction).expandedTo({1, 1}), QImage::Format_Alpha8);
    alpha.fill(0);
    {
        QPainter silhouette(&alpha);
        silhouette.setRenderHint(QPainter::Antialiasing);
        silhouette.scale(pixelRatio / reduction, pixelRatio / reduction);
        silhouette.fillPath(continuousRoundedRect(QRectF(QPointF(e, e), shapeSize), cornerRadius),
                            Qt::black);
    }
    gaussianBlurAlpha(alpha, sigma / reduction);

    QImage image(pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(QRect(QPoint(), pixels), alpha);
        painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
        painter.fillRect(image.rect(), m_colour);
        if (m_inside == Inside::Cleared) {
            painter.setRenderHint(QPainter::Antialiasing);
            painter.setCompositionMode(QPainter::CompositionMode_DestinationOut);
            painter.scale(pixelRatio, pixelRatio);
            painter.fillPath(
                continuousRoundedRect(QRectF(QPointF(e, e) - m_offset, shapeSize), cornerRadius),
                Qt::black);
        }
    }
    image.setDevicePixelRatio(pixelRatio);
    return QPixmap::fromImage(std::move(image));
}

} // namespace velorinth
