#include "main_window/controls/premium_slider.h"

#include "design/animated_change.h"
#include "design/animated_value.h"
#include "design/design_system.h"
#include "design/frame_layout.h"
#include "design/shapes.h"
#include "design/soft_shadow.h"

#include <QLineF>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace velorinth {

namespace {
constexpr qreal kHeight = 24.0;
constexpr qreal kTrackHeight = 8.0;
constexpr qreal kThumbSize = 24.0;
constexpr qreal kMinimumDragDistance = 10.0;
constexpr int kPreferredWidth = 240;

const SoftShadow &thumbShadow()
{
    static const SoftShadow shadow(QColor::fromRgbF(0.0f, 0.0f, 0.0f, 0.3f), 6.0, {0.0, 2.0});
    return shadow;
}
} // namespace

PremiumSlider::PremiumSlider(Binding<double> value, Range range, QWidget *parent)
    : QWidget(parent)
    , m_value(std::move(value))
    , m_range(range)
    , m_shown(AnimatedValue::repainting(m_value.get(), this))
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    // The thumb's centre reaches both ends of the track, so half of it and its shadow
    // hang over the edges.
    setContentsMargins(
        spillMargins(thumbShadow().reach() + QMarginsF(kThumbSize / 2, 0.0, kThumbSize / 2, 0.0)));
    m_value.onChange(this, [this] { refresh(); });
}

QSize PremiumSlider::sizeHint() const
{
    return QSize(kPreferredWidth, static_cast<int>(kHeight)).grownBy(contentsMargins());
}

void PremiumSlider::refresh()
{
    m_shown->animateTo(m_value.get(), currentAnimation());
}

QRectF PremiumSlider::track() const
{
    const QRectF frame(contentsRect());
    return {frame.left(), frame.center().y() - kTrackHeight / 2, frame.width(), kTrackHeight};
}

qreal PremiumSlider::fraction(double value) const
{
    const double span = m_range.upper - m_range.lower;
    return span == 0.0 ? 0.0 : (value - m_range.lower) / span; // an empty range pins it left
}

QRectF PremiumSlider::thumb(double value) const
{
    const QRectF frame(contentsRect());
    const qreal centreX = frame.left() + frame.width() * fraction(value);
    return {centreX - kThumbSize / 2, frame.center().y() - kThumbSize / 2, kThumbSize, kThumbSize};
}

void PremiumSlider::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    m_picture.paint(painter, *this, {m_shown->value()},
                    [this](QPainter &picture) { paintLook(picture); });
}

void PremiumSlider::paintLook(QPainter &painter) const
{
    const double value = m_shown->value();
    const QRectF track = this->track();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillPath(capsule(track), DesignSystem::Colors::glassBackground);
    const qreal fillWidth = std::max(0.0, track.width() * fraction(value));
    if (fillWidth > 0.0) {
        painter.fillPath(capsule(QRectF(track.topLeft(), QSizeF(fillWidth, kTrackHeight))),
                         DesignSystem::Gradients::primaryAccent);
    }
    const QRectF thumb = this->thumb(value);
    thumbShadow().paint(painter, thumb, kThumbSize / 2);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::white);
    painter.drawEllipse(thumb);
}

void PremiumSlider::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || !thumb(m_shown->value()).contains(event->position())) {
        event->ignore();
        return;
    }
    m_pressPosition = event->position();
    m_dragging = false;
}

void PremiumSlider::mouseMoveEvent(QMouseEvent *event)
{
    if (!m_pressPosition)
        return;
    if (!m_dragging && QLineF(*m_pressPosition, event->position()).length() < kMinimumDragDistance)
        return;
    m_dragging = true;
    const QRectF track = this->track();
    const double f = std::clamp((event->position().x() - track.left()) / track.width(), 0.0, 1.0);
    m_value.set(m_range.lower + f * (m_range.upper - m_range.lower));
    refresh(); // also when the binding announces nothing
}

void PremiumSlider::mouseReleaseEvent(QMouseEvent *)
{
    m_pressPosition.reset();
    m_dragging = false;
}

} // namespace velorinth
