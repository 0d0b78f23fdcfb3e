#include "design/progress_ring.h"

#include "design/animated_value.h"
#include "design/design_system.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace velorinth {

namespace {
constexpr qreal kTopAngle = 90.0; // Qt's angles run anticlockwise from 3 o'clock
// A countdown moves the arc's end by a fraction of a pixel a second; repaint once it
// has moved an eighth of a device pixel, which antialiasing still shows as motion.
constexpr qreal kVisibleStep = 0.125;

double clamped(double fraction)
{
    return std::clamp(fraction, 0.0, 1.0);
}
} // namespace

ProgressRing::ProgressRing(qreal diameter, qreal lineWidth, qreal trackWidth, double progress,
                           QObject *parent)
    : QObject(parent)
    , m_diameter(diameter)
    , m_lineWidth(lineWidth)
    , m_trackWidth(trackWidth)
    , m_progress(new AnimatedValue(progress, this))
    , m_paintedProgress(progress)
{
    connect(m_progress, &AnimatedValue::valueChanged, this, &ProgressRing::shownProgressChanged);
}

void ProgressRing::setProgress(double fraction, const Animation &animation)
{
    m_progress->animateTo(fraction, animation);
}

double ProgressRing::progress() const
{
    return m_progress->target();
}

double ProgressRing::shownProgress() const
{
    return m_progress->value();
}

void ProgressRing::setTint(const QColor &tint)
{
    if (tint == m_tint)
        return;
    m_tint = tint;
    if (!m_frame.isNull())
        Q_EMIT changed(arcArea(0.0, m_paintedProgress));
}

qreal ProgressRing::overhang() const
{
    return std::max(m_lineWidth, m_trackWidth) / 2.0;
}

void ProgressRing::paint(QPainter &painter, const QRectF &frame)
{
    m_frame = frame;
    m_pixelRatio = painter.device()->devicePixelRatioF();
    m_paintedProgress = shownProgress();
    // The cached track is blitted on whole device pixels; it is drawn into the pixmap at
    // the frame's fraction of a pixel, so it lines up with the arc painted on top.
    const qreal side = m_diameter + m_trackWidth + 2.0;
    const QTransform toDevice = painter.deviceTransform();
    const QPointF corner = toDevice.map(frame.center() - QPointF(side, side) / 2.0);
    const QPointF pixel(std::floor(corner.x()), std::floor(corner.y()));
    if (m_track.isNull() || m_track.devicePixelRatio() != m_pixelRatio
        || corner - pixel != m_trackPhase)
        renderTrack(side, corner - pixel);
    painter.drawPixmap(toDevice.inverted().map(pixel), m_track);
    const double shown = clamped(m_paintedProgress);
    if (shown <= 0.0)
        return;
    QBrush stroke(m_tint);
    if (!m_tint.isValid()) {
        // The gradient turns with the ring, so its first stop sits where the arc starts.
        QConicalGradient gradient = DesignSystem::Gradients::sleepProgress;
        gradient.setCoordinateMode(QGradient::LogicalMode);
        gradient.setCenter(frame.center());
        gradient.setAngle(kTopAngle);
        stroke = QBrush(gradient);
    }
    QPainterPath arc;
    const QRectF c = circle().translated(frame.topLeft());
    arc.arcMoveTo(c, kTopAngle);
    arc.arcTo(c, kTopAngle, -360.0 * shown);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.strokePath(arc, QPen(stroke, m_lineWidth, Qt::SolidLine, Qt::RoundCap));
    painter.restore();
}

QRectF ProgressRing::circle() const
{
    return {0.0, 0.0, m_diameter, m_diameter};
}

QRectF ProgressRing::arcArea(double from, double to) const
{
    from = clamped(from);
    to = clamped(to);
    QPainterPath arc;
    const QRectF c = circle().translated(m_frame.topLeft());
    arc.arcMoveTo(c, kTopAngle - 360.0 * from);
    arc.arcTo(c, kTopAngle - 360.0 * from, -360.0 * (to - from));
    const qreal margin = m_lineWidth / 2.0 + 1.0; // round cap and antialiasing
    return arc.boundingRect().adjusted(-margin, -margin, margin, margin);
}

void ProgressRing::renderTrack(qreal side, QPointF phase)
{
    m_trackPhase = phase;
    const int pixels = static_cast<int>(std::ceil(side * m_pixelRatio)) + 1;
    m_track = QPixmap(pixels, pixels);
    m_track.setDevicePixelRatio(m_pixelRatio);
    m_track.fill(Qt::transparent);
    QPainter painter(&m_track);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(DesignSystem::Colors::glassBorder, m_trackWidth));
    painter.setBrush(Qt::NoBrush);
    const qreal inset = (side - m_diameter) / 2.0;
    painter.drawEllipse(circle().translated(phase / m_pixelRatio + QPointF(inset, inset)));
}

void ProgressRing::shownProgressChanged(double shown)
{
    if (m_frame.isNull())
        return;
    const double travelled = std::abs(clamped(shown) - clamped(m_paintedProgress));
    const bool arrived = shown == progress();
    if (travelled == 0.0
        || (!arrived && travelled * M_PI * m_diameter * m_pixelRatio < kVisibleStep))
        return;
    Q_EMIT changed(arcArea(m_paintedProgress, shown));
}

} // namespace velorinth
