#include "main_window/controls/feature_toggle.h"

#include "design/animated_change.h"
#include "design/animated_value.h"
#include "design/color_math.h"
#include "design/design_system.h"
#include "design/glass.h"
#include "design/shapes.h"
#include "design/symbols.h"

#include <QPainter>

namespace velorinth {

namespace {
constexpr qreal kSide = 80.0;
constexpr qreal kCornerRadius = 20.0;
constexpr qreal kSymbolSize = 18.0;
constexpr qreal kSpacing = 8.0;
constexpr qreal kOutlineOpacity = 0.3;
constexpr qreal kOutlineWidth = 1.0;
} // namespace

FeatureToggle::FeatureToggle(Binding<bool> isOn, const QString &icon, const QString &label,
                             QWidget *parent)
    : PlainButton([this] { toggle(); }, Glass::shadowReach(), parent)
    , m_isOn(std::move(isOn))
    , m_icon(icon)
    , m_label(label, DesignSystem::Fonts::sans(11, QFont::Medium))
    , m_lit(AnimatedValue::repainting(m_isOn.get() ? 1.0 : 0.0, this))
{
    setLabel(label);
    m_isOn.onChange(this, [this] { refresh(); });
}

void FeatureToggle::toggle()
{
    animated(Animation::systemDefault(), [this] {
        m_isOn.set(!m_isOn.get());
        refresh(); // also when the binding announces nothing
    });
}

void FeatureToggle::refresh()
{
    m_lit->animateTo(m_isOn.get() ? 1.0 : 0.0, currentAnimation());
}

QSizeF FeatureToggle::frameSize() const
{
    return {kSide, kSide};
}

PaintCache::Key FeatureToggle::lookKey() const
{
    return {m_lit->value()};
}

void FeatureToggle::paintLook(QPainter &painter) const
{
    const qreal lit = m_lit->value();
    const QRectF frame = this->frame();
    const Glass glass(kCornerRadius);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setOpacity(labelOpacity());
    glass.paintSurface(painter, frame, lit);

    const qreal top = frame.center().y() - (kSymbolSize + kSpacing + m_label.size().height()) / 2;
    Symbols::paint(
        painter, m_icon, {frame.center().x(), top + kSymbolSize / 2}, kSymbolSize, QFont::Normal,
        mixed(DesignSystem::Colors::textSecondary, DesignSystem::Colors::appleBlue, lit));
    painter.setPen(
        mixed(DesignSystem::Colors::textSecondary, DesignSystem::Colors::textPrimary, lit));
    m_label.paint(painter,
                  {frame.center().x(), top + kSymbolSize + kSpacing + m_label.size().height() / 2});

    glass.paintBorder(painter, frame);
    painter.strokePath(
        continuousRoundedRect(frame, kCornerRadius),
        QPen(withOpacity(DesignSystem::Colors::appleBlue, kOutlineOpacity * lit), kOutlineWidth));
}

} // namespace velorinth
