#include "design/soft_shadow.h"

#include "design/gaussian_blur.h"
#include "design/shapes.h"

#include <QImage>
#include <QPainter>
#include <QPixmapCache>

#include <cmath>

namespace velorinth {

namespace {
// Past 2.5 standard deviations a shadow adds less than one level of 255.
constexpr qreal kReachPerRadius = 2.5;
// Large blurs are computed at reduced resolution (a blurred edge has no fine detail) and
// scaled up once, so even a 160-pixel blur costs a few milliseconds.
constexpr double kFinestSigma = 6.0;

QString cacheKey(QSizeF size, qreal cornerRadius, const QColor &colour, qreal blur, int inside,
                 qreal pixelRatio)
{
    return QStringLiteral("velorinth-shadow:%1x%2:%3:%4:%5:%6:%7")
        .arg(size.width())
        .arg(size.height())
        .arg(cornerRadius)
        .arg(colour.rgba(), 8, 16)
        .arg(blur)
        .arg(inside)
        .arg(pixelRatio);
}
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
    return std::ceil(m_blurRadius * kReachPerRadius);
}

QMarginsF SoftShadow::reach() const
{
    const qreal e = extent();
    return {qMax(0.0, e - m_offset.x()), qMax(0.0, e - m_offset.y()), qMax(0.0, e + m_offset.x()),
            qMax(0.0, e + m_offset.y())};
}

void SoftShadow::paint(QPainter &painter, const QRectF &shape, qreal cornerRadius) const
{
    const qreal pixelRatio = painter.device()->devicePixelRatioF();
    const QString key = cacheKey(shape.size(), cornerRadius, m_colour, m_blurRadius,
                                 static_cast<int>(m_inside), pixelRatio);
    QPixmap pixmap;
    if (!QPixmapCache::find(key, &pixmap)) {
        pixmap = render(shape.size(), cornerRadius, pixelRatio);
        QPixmapCache::insert(key, pixmap);
    }
    const qreal e = extent();
    painter.drawPixmap(shape.topLeft() + m_offset - QPointF(e, e), pixmap);
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
