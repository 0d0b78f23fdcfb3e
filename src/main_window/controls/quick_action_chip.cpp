#include "main_window/controls/quick_action_chip.h"

#include "design/design_system.h"
#include "design/glass.h"

#include <QPainter>

namespace velorinth {

namespace {
constexpr qreal kCornerRadius = 12.0;
constexpr qreal kHorizontalPadding = 16.0;
constexpr qreal kVerticalPadding = 8.0;
} // namespace

QuickActionChip::QuickActionChip(const QString &label, std::function<void()> action,
                                 QWidget *parent)
    : PlainButton(std::move(action), Glass::shadowReach(), parent)
    , m_label(label, DesignSystem::Fonts::sans(12, QFont::DemiBold))
{
    setLabel(label);
}

QSizeF QuickActionChip::frameSize() const
{
    return m_label.size() + QSizeF(2 * kHorizontalPadding, 2 * kVerticalPadding);
}

void QuickActionChip::paintLook(QPainter &painter) const
{
    const QRectF frame = this->frame();
    const Glass glass(kCornerRadius);
    painter.setOpacity(labelOpacity());
    glass.paintSurface(painter, frame);
    painter.setPen(DesignSystem::Colors::textSecondary);
    m_label.paint(painter, frame.center());
    glass.paintBorder(painter, frame);
}

} // namespace velorinth
