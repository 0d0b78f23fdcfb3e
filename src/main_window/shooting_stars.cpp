#include "main_window/shooting_stars.h"

#include "design/animation.h"
#include "design/color_math.h"
#include "design/design_system.h"
#include "design/frame_clock.h"
#include "design/shapes.h"
#include "main_window/lcg.h"

#include <QLinearGradient>
#include <QPainter>
#include <QWidget>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace velorinth {

namespace {
constexpr quint64 kSeed = 42;
constexpr qreal kRestingLength = 2.0;
// Each streak's own flight, whatever animation launched them all.
constexpr Animation kFlight = Animation::easeOut(0.9);
constexpr double kLongestDelay = 0.5;
constexpr qreal kSpriteMargin = 1.0; // room for the antialiased edge
} // namespace

ShootingStars::ShootingStars(QWidget *view)
    : QObject(view)
    , m_stars(makeStars())
    , m_clock(new FrameClock(this))
{
    connect(m_clock, &FrameClock::ticked, this, [this] {
        if (m_clock->seconds() >= kLongestDelay + kFlight.duration())
            m_clock->stop();
        Q_EMIT changed();
    });
    connect(this, &ShootingStars::changed, view, qOverload<>(&QWidget::update));
}

std::vector<ShootingStars::Star> ShootingStars::makeStars()
{
    LCG generator(kSeed);
    std::vector<Star> stars;
    stars.reserve(kCount);
    for (int id = 0; id < kCount; ++id) {
        // One draw per field, in this order.
        Star star{id, 0, 0, 0, 0, 0, 0, 0};
        star.angle = generator.next01() * std::numbers::pi * 2;
        star.speed = generator.next01() * 0.6 + 0.3;
        star.length = generator.next01() * 30 + 10;
        star.thickness = generator.next01() * 1.5 + 0.5;
        star.opacity = generator.next01() * 0.7 + 0.2;
        star.delay = generator.next01() * 0.5;
        star.hue = generator.next01();
        stars.push_back(star);
    }
    return stars;
}

QColor ShootingStars::starColor(double hue)
{
    if (hue < 0.4)
        return DesignSystem::Colors::appleBlue;
    if (hue < 0.7)
        return Qt::white;
    return DesignSystem::Colors::applePurple;
}

void ShootingStars::launch()
{
    if (m_launched)
        return;
    m_launched = true;
    m_clock->start();
    Q_EMIT changed();
}

double ShootingStars::flightAt(const Star &star) const
{
    if (!m_launched)
        return 0.0;
    if (m_clock->state() == QAbstractAnimation::Stopped)
        return 1.0;
    return kFlight.delayed(star.delay).progressAt(m_clock->seconds());
}

void ShootingStars::paint(QPainter &painter, const QRectF &field)
{
    if (!m_launched)
        return; // every streak rests invisible at the centre
    const qreal ratio = painter.device()->devicePixelRatioF();
    const double time = m_clock->state() == QAbstractAnimation::Stopped ? -2.0 : m_clock->seconds();
    if (m_layer.isNull() || m_layer.devicePixelRatio() != ratio
        || m_layer.deviceIndependentSize() != field.size() || time != m_layerTime) {
        renderLayer(field.size(), ratio);
        m_layerTime = time;
    }
    painter.drawImage(field.topLeft(), m_layer);
}

void ShootingStars::renderSprites(qreal pixelRatio)
{
    m_sprites.clear();
    for (const Star &star : m_stars) {
        const QSizeF size(star.length + 2 * kSpriteMargin, star.thickness + 2 * kSpriteMargin);
        QImage sprite((size * pixelRatio).toSize(), QImage::Format_ARGB32_Premultiplied);
        sprite.setDevicePixelRatio(pixelRatio);
        sprite.fill(Qt::transparent);
        QPainter painter(&sprite);
        painter.setRenderHint(QPainter::Antialiasing);
        // Bright at the end that leads away from the centre.
        const QColor colour = starColor(star.hue);
        QLinearGradient gradient(kSpriteMargin, 0, kSpriteMargin + star.length, 0);
        gradient.setColorAt(0.0, withOpacity(colour, 0.0));
        gradient.setColorAt(1.0, withOpacity(colour, star.opacity));
        painter.fillPath(capsule(QRectF(kSpriteMargin, kSpriteMargin, star.length, star.thickness)),
                         gradient);
        m_sprites.push_back(std::move(sprite));
    }
}

void ShootingStars::renderLayer(QSizeF field, qreal pixelRatio)
{
    if (m_layer.isNull() || m_layer.devicePixelRatio() != pixelRatio
        || m_layer.deviceIndependentSize() != field) {
        m_layer = QImage((field * pixelRatio).toSize(), QImage::Format_ARGB32_Premultiplied);
        m_layer.setDevicePixelRatio(pixelRatio);
    }
    if (m_sprites.empty() || m_sprites.front().devicePixelRatio() != pixelRatio)
        renderSprites(pixelRatio);
    m_layer.fill(Qt::transparent);
    QPainter painter(&m_layer);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const QPointF centre(field.width() / 2, field.height() / 2);
    const double reach = std::hypot(centre.x(), centre.y());
    for (const Star &star : m_stars) {
        const double flight = flightAt(star);
        if (flight <= 0.0)
            continue;
        const double distance = reach * star.speed * flight;
        // From a 2-point dot to its full length: the picture stretched along the flight.
        const qreal length = kRestingLength + (star.length - kRestingLength) * flight;
        painter.save();
        painter.translate(centre.x() + std::cos(star.angle) * distance,
                          centre.y() + std::sin(star.angle) * distance);
        painter.rotate(qRadiansToDegrees(star.angle));
        painter.scale(length / star.length, 1.0);
        painter.setOpacity(star.opacity * flight);
        painter.drawImage(
            QPointF(-star.length / 2 - kSpriteMargin, -star.thickness / 2 - kSpriteMargin),
            m_sprites[star.id]);
        painter.restore();
    }
}

} // namespace velorinth
