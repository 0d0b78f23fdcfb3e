#include "design/progress_ring.h"

#include "design/design_system.h"
#include "design/glide.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <utility>

namespace velorinth {

namespace {
constexpr qreal kTopAngle = 90.0; // Qt's angles run anticlockwise from 3 o'clock
// A countdown moves the arc's end by a fraction of a pixel a second; repaint once it
// has moved an eighth of a device pixel, which antialiasing still shows as motion, and
// let the glide sleep until then.
constexpr qreal kVisibleStep = 0.125;

double clamped(double fraction)
{
    return std::clamp(fraction, 0.0, 1.0);
}

// The first fraction of the turn, clockwise from 12 o'clock, that lies within clip: 0 when
// the clip reaches the arc's start or the centre, else that of its nearest corner.
double firstFractionWithin(const QRectF &clip, QPointF centre)
{
    if (clip.left() <= centre.x() && clip.right() >= centre.x() && clip.top() <= centre.y())
        return 0.0;
    double first = 1.0;
    for (const QPointF corner :
         {clip.topLeft(), clip.topRight(), clip.bottomLeft(), clip.bottomRight()}) {
        const QPointF v = corner - centre;
        const double turn = std::atan2(v.x(), -v.y()) / (2.0 * M_PI);
        first = std::min(first, turn < 0.0 ? turn + 1.0 : turn);
    }
    return first;
}
} // namespace

ProgressRing::ProgressRing(qreal diameter, qreal lineWidth, qreal trackWidth, double progress,
                           QObject *parent)
    : QObject(parent)
    , m_diameter(diameter)
    , m_lineWidth(lineWidth)
    , m_trackWidth(trackWidth)
    , m_progress(new Glide(progress, this))
    , m_shown(progress)
{
    followStep();
    connect(m_progress, &Glide::valueChanged, this, &ProgressRing::glided);
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
    return m_shown;
}

void ProgressRing::setPixelRatio(qreal ratio)
{
    m_pixelRatio = ratio;
    followStep();
}

void ProgressRing::setOwnerStep(double step)
{
    m_ownerStep = step;
    followStep();
}

void ProgressRing::followStep()
{
    m_progress->setStep(std::min(visibleStep(), m_ownerStep));
}

void ProgressRing::setTint(const QColor &tint)
{
    if (tint == m_tint)
        return;
    m_tint = tint;
    Q_EMIT changed(arcArea(0.0, m_shown));
}

qreal ProgressRing::overhang() const
{
    return std::max(m_lineWidth, m_trackWidth) / 2.0;
}

void ProgressRing::paint(QPainter &painter, const QRectF &frame) const
{
    // The cached track is blitted on whole device pixels; it is drawn into the pixmap at
    // the frame's fraction of a pixel, so it lines up with the arc painted on top.
    const qreal side = m_diameter + m_trackWidth + 2.0;
    const QTransform toDevice = painter.deviceTransform();
    const QPointF corner = toDevice.map(frame.center() - QPointF(side, side) / 2.0);
    const QPointF pixel(std::floor(corner.x()), std::floor(corner.y()));
    const qreal ratio = painter.device()->devicePixelRatioF();
    if (m_track.isNull() || m_track.devicePixelRatio() != ratio || corner - pixel != m_trackPhase)
        renderTrack(side, corner - pixel, ratio);
    painter.drawPixmap(toDevice.inverted().map(pixel), m_track);
    const QRectF c = circle().translated(frame.topLeft());
    // Repainting a little of the ring (its end moving), stroke only the arc that reaches
    // there: the whole turn costs many times more. The cap at that arc's start, and its
    // antialiasing, stay outside the clip.
    double from = 0.0;
    if (painter.hasClipping()) {
        const double cap = (m_lineWidth / 2.0 + 1.0) / (M_PI * m_diameter);
        from = std::max(0.0, firstFractionWithin(painter.clipBoundingRect(), c.center()) - cap);
    }
    const double shown = clamped(m_shown);
    if (shown <= from)
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
    arc.arcMoveTo(c, kTopAngle - 360.0 * from);
    arc.arcTo(c, kTopAngle - 360.0 * from, -360.0 * (shown - from));
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.strokePath(arc, QPen(stroke, m_lineWidth, Qt::SolidLine, Qt::RoundCap));
    painter.restore();
}

double ProgressRing::visibleStep() const
{
    return kVisibleStep / (M_PI * m_diameter * m_pixelRatio);
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
    const QRectF c = circle();
    arc.arcMoveTo(c, kTopAngle - 360.0 * from);
    arc.arcTo(c, kTopAngle - 360.0 * from, -360.0 * (to - from));
    const qreal margin = m_lineWidth / 2.0 + 1.0; // round cap and antialiasing
    return arc.boundingRect().adjusted(-margin, -margin, margin, margin);
}

void ProgressRing::renderTrack(qreal side, QPointF phase, qreal ratio) const
{
    m_trackPhase = phase;
    const int pixels = static_cast<int>(std::ceil(side * ratio)) + 1;
    m_track = QPixmap(pixels, pixels);
    m_track.setDevicePixelRatio(ratio);
    m_track.fill(Qt::transparent);
    QPainter painter(&m_track);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(DesignSystem::Colors::glassBorder, m_trackWidth));
    painter.setBrush(Qt::NoBrush);
    const qreal inset = (side - m_diameter) / 2.0;
    painter.drawEllipse(circle().translated(phase / ratio + QPointF(inset, inset)));
}

void ProgressRing::glided(double shown)
{
    const double before = std::exchange(m_shown, shown);
    if (clamped(shown) != clamped(before))
        Q_EMIT changed(arcArea(before, shown));
    Q_EMIT shownProgressChanged(shown);
}

} // namespace velorinth
