#include "main_window/controls/feature_toggle.h"

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
    : ToggleButton(std::move(isOn), Animation::systemDefault(), std::nullopt, Glass::shadowReach(),
                   parent)
    , m_icon(icon)
    , m_label(label, DesignSystem::Fonts::sans(11, QFont::Medium))
{
    setLabel(label);
}

QSizeF FeatureToggle::frameSize() const
{
    return {kSide, kSide};
}

void FeatureToggle::paintLook(QPainter &painter) const
{
    const qreal lit = this->lit();
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
