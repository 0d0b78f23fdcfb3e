#include "design/starfield.h"

#include "design/animation.h"
#include "design/frame_clock.h"
#include "design/pause_while_hidden.h"

#include <QPainter>
#include <QRandomGenerator>
#include <QWidget>

namespace velorinth {

namespace {
constexpr double kRestingBrightness = 0.5;
// The levels the fastest star may change by between two looks: as the drift's frames.
constexpr double kLevelsPerLook = 2.0;
// The ease-in-out's steepest slope, at its middle: 1.5 / 0.87 passes per pass time.
constexpr double kSteepestTwinkle = 1.5 / 0.87;

// One pass from half to full brightness and back, after the star's own delay.
Animation twinkle(const Starfield::Star &star)
{
    return Animation::easeInOut(star.animationDuration)
        .repeatedForever(true)
        .delayed(star.animationDelay);
}

QRectF dot(const Starfield::Star &star, QSizeF field)
{
    const QPointF centre(star.xPercent * field.width(), star.yPercent * field.height());
    return {centre - QPointF(star.size, star.size) / 2.0, QSizeF(star.size, star.size)};
}

QRect starRect(const Starfield::Star &star, QSizeF field)
{
    return dot(star, field).toAlignedRect().adjusted(-1, -1, 1, 1); // room for antialiasing
}

double uniform(double from, double to)
{
    return from + (to - from) * QRandomGenerator::global()->generateDouble();
}

std::vector<Starfield::Star> randomStars(int density)
{
    std::vector<Starfield::Star> stars;
    for (int id = 0; id < density; ++id) {
        Starfield::Star star{id, 0, 0, 0, 0, 0, 0};
        // Drawn in this order, so a field is the same sequence of numbers as its model.
        star.size = uniform(1.0, 2.0);
        star.xPercent = uniform(0.0, 1.0);
        star.yPercent = uniform(0.0, 1.0);
        star.opacity = uniform(0.1, 0.7);
        star.animationDuration = uniform(2.0, 5.0);
        star.animationDelay = uniform(0.0, 2.0);
        stars.push_back(star);
    }
    return stars;
}
} // namespace

Starfield::Starfield(int density, QWidget *view)
    : Starfield(randomStars(density), view)
{
}

Starfield::Starfield(std::vector<Star> stars, QWidget *view)
    : QObject(view)
    , m_stars(std::move(stars))
    , m_clock(new FrameClock(this))
{
    connect(m_clock, &FrameClock::ticked, this, &Starfield::ticked);
    if (view)
        PauseWhileHidden::watch(view, m_clock);
}

void Starfield::start()
{
    m_started = true;
    if (!m_stars.empty())
        m_clock->start();
}

void Starfield::stop()
{
    m_clock->stop();
}

bool Starfield::isTwinkling() const
{
    return m_clock->state() != QAbstractAnimation::Stopped;
}

void Starfield::catchUp()
{
    if (m_layer.isNull() || !isTwinkling())
        return;
    redrawLayer(changedStars());
    m_clock->tickIn(lookInterval());
}

double Starfield::currentOpacity(int id) const
{
    const Star &star = m_stars[id];
    const double swing = m_started ? twinkle(star).progressAt(m_clock->seconds()) : 0.0;
    return star.opacity * (kRestingBrightness + (1.0 - kRestingBrightness) * swing);
}

void Starfield::setSize(QSizeF size)
{
    if (size == m_size)
        return;
    m_size = size;
    rebuildLayer();
}

void Starfield::setPixelRatio(qreal ratio)
{
    if (ratio == m_pixelRatio)
        return;
    m_pixelRatio = ratio;
    rebuildLayer();
}

void Starfield::setOpacity(qreal opacity)
{
    m_opacity = opacity;
}

void Starfield::paint(QPainter &painter, const QRectF &field) const
{
    if (m_layer.isNull() || field.size() != m_size
        || painter.device()->devicePixelRatioF() != m_pixelRatio) {
        painter.save();
        painter.translate(field.topLeft());
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        for (const Star &star : m_stars)
            paintStar(painter, star, field.size());
        painter.restore();
        return;
    }
    // Copy only the stars' own pixels: a clip region or the whole layer would cost as much
    // as the field is large.
    for (const QRect &area : m_starArea) {
        const QRectF source(QPointF(area.topLeft()) * m_pixelRatio,
                            QSizeF(area.size()) * m_pixelRatio);
        painter.drawImage(QRectF(field.topLeft() + area.topLeft(), area.size()), m_layer, source);
    }
}

int Starfield::alphaLevel(int id) const
{
    return qRound(currentOpacity(id) * 255.0);
}

void Starfield::paintStar(QPainter &painter, const Star &star, QSizeF field) const
{
    painter.setBrush(QColor(255, 255, 255, alphaLevel(star.id)));
    painter.drawEllipse(dot(star, field));
}

void Starfield::rebuildLayer()
{
    m_starArea = QRegion();
    if (m_size.isEmpty()) {
        m_layer = QImage();
        return;
    }
    m_layer = QImage((m_size * m_pixelRatio).toSize(), QImage::Format_ARGB32_Premultiplied);
    m_layer.setDevicePixelRatio(m_pixelRatio);
    for (const Star &star : m_stars)
        m_starArea += starRect(star, m_size);
    m_drawnLevels.assign(m_stars.size(), -1);
    m_layer.fill(Qt::transparent);
    redrawLayer(QRegion(QRect(QPoint(), m_size.toSize())));
}

void Starfield::redrawLayer(const QRegion &area)
{
    if (area.isEmpty())
        return;
    QPainter painter(&m_layer);
    painter.setClipRegion(area);
    painter.setCompositionMode(QPainter::CompositionMode_Clear);
    painter.fillRect(area.boundingRect(), Qt::transparent);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    for (const Star &star : m_stars) {
        if (!area.intersects(starRect(star, m_size)))
            continue;
        m_drawnLevels[star.id] = alphaLevel(star.id);
        paintStar(painter, star, m_size);
    }
}

QRegion Starfield::changedStars() const
{
    const auto shown = [this](double alpha) { return qRound(alpha * m_opacity); };
    QRegion area;
    for (const Star &star : m_stars) {
        if (shown(alphaLevel(star.id)) != shown(m_drawnLevels[star.id]))
            area += starRect(star, m_size);
    }
    return area;
}

int Starfield::lookInterval() const
{
    double fastest = 0.0; // colour levels a second, as painted
    for (const Star &star : m_stars) {
        const double swing = (1.0 - kRestingBrightness) * star.opacity * 255.0;
        fastest = std::max(fastest, swing * kSteepestTwinkle / star.animationDuration);
    }
    fastest *= m_opacity;
    return fastest > 0.0 ? qRound(1000.0 * kLevelsPerLook / fastest) : 1000;
}

void Starfield::ticked()
{
    m_clock->tickIn(lookInterval());
    if (m_layer.isNull())
        return;
    const QRegion area = changedStars();
    if (area.isEmpty())
        return;
    redrawLayer(area);
    Q_EMIT changed(area);
}

} // namespace velorinth
