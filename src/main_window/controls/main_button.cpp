#include "main_window/controls/main_button.h"

#include "design/animated_value.h"
#include "design/color_math.h"
#include "design/design_system.h"
#include "design/shapes.h"
#include "design/soft_shadow.h"

#include <QPainter>

#include <algorithm>

namespace velorinth {

namespace {
constexpr QSizeF kFrame(180.0, 54.0);
constexpr qreal kHoverScale = 1.02;
constexpr qreal kTracking = 1.2;
constexpr qreal kStrokeWidth = 1.0;
const QString kStartTitle = QStringLiteral("LANCER");
const QString kStopTitle = QStringLiteral("ARRÊTER");

const SoftShadow &glow()
{
    static const SoftShadow glow(withOpacity(DesignSystem::Colors::appleBlue, 0.3), 15.0,
                                 {0.0, 8.0});
    return glow;
}

QFont titleFont()
{
    QFont font = DesignSystem::Fonts::display(14);
    font.setLetterSpacing(QFont::AbsoluteSpacing, kTracking);
    return font;
}

// Room for the glow, for the hover growth and for the outer half of the glass stroke.
QMarginsF spill()
{
    const qreal growth = (kHoverScale - 1.0) * kFrame.width() / 2.0 + kStrokeWidth / 2.0;
    return glow().reach() + QMarginsF(growth, growth, growth, growth);
}
} // namespace

MainButton::MainButton(bool isActive, std::function<void()> action, QWidget *parent)
    : PlainButton(std::move(action), spill(), parent)
    , m_isActive(isActive)
    , m_startTitle(kStartTitle, titleFont())
    , m_stopTitle(kStopTitle, titleFont())
    , m_activity(AnimatedValue::repainting(isActive ? 1.0 : 0.0, this))
{
    setLabel(isActive ? kStopTitle : kStartTitle);
    followHover(DesignSystem::Animations::energetic);
}

void MainButton::setActive(bool isActive, const Animation &animation)
{
    m_isActive = isActive;
    setLabel(isActive ? kStopTitle : kStartTitle);
    m_activity->animateTo(isActive ? 1.0 : 0.0, animation);
}

QSizeF MainButton::frameSize() const
{
    return kFrame;
}

PaintCache::Key MainButton::lookKey() const
{
    return {m_activity->value()};
}

void MainButton::paintLook(QPainter &painter) const
{
    const QRectF frame = this->frame();
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal scale = 1.0 + (kHoverScale - 1.0) * hover();
    painter.translate(frame.center());
    painter.scale(scale, scale);
    painter.translate(-frame.center());

    // A spring may carry the fade past either end.
    const qreal activity = std::clamp(m_activity->value(), 0.0, 1.0);
    if (activity < 1.0) {
        painter.setOpacity(labelOpacity() * (1.0 - activity));
        paintStartLook(painter, frame);
    }
    if (activity > 0.0) {
        painter.setOpacity(labelOpacity() * activity);
        paintStopLook(painter, frame);
    }
}

void MainButton::paintStartLook(QPainter &painter, const QRectF &frame) const
{
    glow().paint(painter, frame, frame.height() / 2.0);
    painter.fillPath(capsule(frame), DesignSystem::Gradients::primaryAccent);
    painter.setPen(Qt::white);
    m_startTitle.paint(painter, frame.center());
}

void MainButton::paintStopLook(QPainter &painter, const QRectF &frame) const
{
    const QPainterPath shape = capsule(frame);
    painter.fillPath(shape, DesignSystem::Colors::glassBackground);
    painter.strokePath(shape, QPen(DesignSystem::Colors::glassBorder, kStrokeWidth));
    painter.setPen(DesignSystem::Colors::applePink);
    m_stopTitle.paint(painter, frame.center());
}

} // namespace velorinth
