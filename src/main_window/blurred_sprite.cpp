#include "main_window/blurred_sprite.h"

#include "design/gaussian_blur.h"

#include <QImage>
#include <QPainter>

#include <algorithm>

namespace velorinth {

namespace {
// Wide blurs are computed at a fraction of the resolution, where they cost a few
// milliseconds once, and scaled up: a blurred picture has no fine detail to lose.
constexpr double kFinestSigma = 6.0;

// Blurs the four channels of a premultiplied image alike, which blurs the picture itself.
void blurPremultiplied(QImage &image, double sigma)
{
    QImage plane(image.size(), QImage::Format_Alpha8);
    for (const int shift : {24, 16, 8, 0}) {
        for (int y = 0; y < image.height(); ++y) {
            const auto *pixels = reinterpret_cast<const QRgb *>(image.constScanLine(y));
            uchar *samples = plane.scanLine(y);
            for (int x = 0; x < image.width(); ++x)
                samples[x] = static_cast<uchar>(pixels[x] >> shift);
        }
        gaussianBlurAlpha(plane, sigma);
        const QRgb keep = ~(QRgb(0xff) << shift);
        for (int y = 0; y < image.height(); ++y) {
            auto *pixels = reinterpret_cast<QRgb *>(image.scanLine(y));
            const uchar *samples = plane.constScanLine(y);
            for (int x = 0; x < image.width(); ++x)
                pixels[x] = (pixels[x] & keep) | (QRgb(samples[x]) << shift);
        }
    }
    // Each channel was rounded on its own: keep the colour within the alpha.
    for (int y = 0; y < image.height(); ++y) {
        auto *pixels = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const int a = qAlpha(pixels[x]);
            pixels[x] = qRgba(std::min(qRed(pixels[x]), a), std::min(qGreen(pixels[x]), a),
                              std::min(qBlue(pixels[x]), a), a);
        }
    }
}
} // namespace

BlurredSprite::BlurredSprite(QSizeF size, qreal blurRadius, Picture picture)
    : m_box(size + 2.0 * QSizeF(blurReach(blurRadius), blurReach(blurRadius)))
    , m_blurRadius(blurRadius)
    , m_picture(std::move(picture))
{
}

void BlurredSprite::paint(QPainter &painter, QPointF centre) const
{
    // Its edges are clear: antialiasing them would only send a blit at a fraction of a
    // pixel down the slow, resampling path.
    const bool antialiased = painter.testRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.drawPixmap(centre - QPointF(m_box.width(), m_box.height()) / 2.0,
                       pixmapFor(painter.device()->devicePixelRatioF()));
    painter.setRenderHint(QPainter::Antialiasing, antialiased);
}

bool BlurredSprite::prepare(qreal pixelRatio) const
{
    if (kept(pixelRatio))
        return false;
    m_rendered.push_back(render(pixelRatio));
    return true;
}

const QPixmap *BlurredSprite::kept(qreal pixelRatio) const
{
    const auto found = std::find_if(m_rendered.begin(), m_rendered.end(), [&](const QPixmap &p) {
        return p.devicePixelRatio() == pixelRatio;
    });
    return found != m_rendered.end() ? &*found : nullptr;
}

const QPixmap &BlurredSprite::pixmapFor(qreal pixelRatio) const
{
    prepare(pixelRatio);
    return *kept(pixelRatio);
}

QPixmap BlurredSprite::render(qreal pixelRatio) const
{
    const double sigma = m_blurRadius * pixelRatio;
    const int reduction = std::max(1, static_cast<int>(sigma / kFinestSigma));
    const qreal workingRatio = pixelRatio / reduction;
    QImage image((m_box * workingRatio).toSize().expandedTo({1, 1}),
                 QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    // At the working ratio, so that a picture made of other sprites draws theirs at it; a
    // painter ignores a ratio below 1, so that one is scaled by hand.
    if (workingRatio >= 1.0)
        image.setDevicePixelRatio(workingRatio);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        if (workingRatio < 1.0)
            painter.scale(workingRatio, workingRatio);
        painter.translate(m_box.width() / 2, m_box.height() / 2);
        m_picture(painter);
    }
    if (sigma > 0.0)
        blurPremultiplied(image, sigma / reduction);
    if (reduction > 1) {
        image = image.scaled((m_box * pixelRatio).toSize(), Qt::IgnoreAspectRatio,
                             Qt::SmoothTransformation);
    }
    image.setDevicePixelRatio(pixelRatio);
    return QPixmap::fromImage(std::move(image));
}

} // namespace velorinth
