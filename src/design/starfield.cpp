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
} // namespace

Starfield::Starfield(int density, QWidget *view)
    : QObject(view)
    , m_clock(new FrameClock(this))
{
    connect(m_clock, &FrameClock::ticked, this, &Starfield::ticked);
    if (view)
        PauseWhileHidden::watch(view, m_clock);
    for (int id = 0; id < density; ++id) {
        Star star{id, 0, 0, 0, 0, 0, 0};
        // Drawn in this order, so a field is the same sequence of numbers as its model.
        star.size = uniform(1.0, 2.0);
        star.xPercent = uniform(0.0, 1.0);
        star.yPercent = uniform(0.0, 1.0);
        star.opacity = uniform(0.1, 0.7);
        star.animationDuration = uniform(2.0, 5.0);
        star.animationDelay = uniform(0.0, 2.0);
        m_stars.push_back(star);
    }
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
    m_stale += changedStars();
    m_clock->tickIn(lookInterval());
}

double Starfield::currentOpacity(int id) const
{
    const Star &star = m_stars[id];
    const double swing = m_started ? twinkle(star).progressAt(m_clock->seconds()) : 0.0;
    return star.opacity * (kRestingBrightness + (1.0 - kRestingBrightness) * swing);
}

void Starfield::paint(QPainter &painter, const QRectF &field)
{
    const qreal pixelRatio = painter.device()->devicePixelRatioF();
    if (field.size() != m_field.size() || m_layer.devicePixelRatio() != pixelRatio)
        rebuildLayer(field.size(), pixelRatio);
    else if (!m_stale.isEmpty())
        redrawLayer(m_stale);
    m_stale = QRegion();
    m_field = field;
    m_paintedOpacity = painter.opacity();
    // Copy only the stars' own pixels: a clip region or the whole layer would cost as much
    // as the field is large.
    const qreal ratio = m_layer.devicePixelRatio();
    for (const QRect &area : m_starArea) {
        const QRectF source(QPointF(area.topLeft()) * ratio, QSizeF(area.size()) * ratio);
        painter.drawImage(QRectF(field.topLeft() + area.topLeft(), area.size()), m_layer, source);
    }
}

int Starfield::alphaLevel(int id) const
{
    return qRound(currentOpacity(id) * 255.0);
}

void Starfield::rebuildLayer(QSizeF field, qreal pixelRatio)
{
    m_layer = QImage((field * pixelRatio).toSize(), QImage::Format_ARGB32_Premultiplied);
    m_layer.setDevicePixelRatio(pixelRatio);
    m_starArea = QRegion();
    for (const Star &star : m_stars)
        m_starArea += starRect(star, field);
    m_drawnLevels.assign(m_stars.size(), -1);
    m_layer.fill(Qt::transparent);
    redrawLayer(QRegion(QRect(QPoint(), field.toSize())));
}

void Starfield::redrawLayer(const QRegion &area)
{
    QPainter painter(&m_layer);
    painter.setClipRegion(area);
    painter.setCompositionMode(QPainter::CompositionMode_Clear);
    painter.fillRect(area.boundingRect(), Qt::transparent);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    const QSizeF field = m_layer.deviceIndependentSize();
    for (const Star &star : m_stars) {
        if (!area.intersects(starRect(star, field)))
            continue;
        m_drawnLevels[star.id] = alphaLevel(star.id);
        painter.setBrush(QColor(255, 255, 255, m_drawnLevels[star.id]));
        painter.drawEllipse(dot(star, field));
    }
}

QRegion Starfield::changedStars() const
{
    const auto shown = [this](double alpha) { return qRound(alpha * m_paintedOpacity); };
    QRegion area;
    for (const Star &star : m_stars) {
        if (shown(alphaLevel(star.id)) != shown(m_drawnLevels[star.id]))
            area += starRect(star, m_layer.deviceIndependentSize());
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
    fastest *= m_paintedOpacity;
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
    m_stale += area;
    Q_EMIT changed(area.translated(m_field.topLeft().toPoint()));
}

} // namespace velorinth
