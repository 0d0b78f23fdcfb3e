#include "menu_bar/menu_bar_adjust_button.h"

#include "design/color_math.h"
#include "design/design_system.h"
#include "design/shapes.h"

#include <QPainter>

namespace velorinth {

namespace {
constexpr qreal kHorizontalPadding = 10.0;
constexpr qreal kVerticalPadding = 6.0;
constexpr qreal kOutlineWidth = 0.5;
} // namespace

MenuBarAdjustButton::MenuBarAdjustButton(const QString &label, std::function<void()> action,
                                         QWidget *parent)
    : PlainButton(std::move(action),
                  QMarginsF(kOutlineWidth, kOutlineWidth, kOutlineWidth, kOutlineWidth) / 2.0,
                  parent)
    , m_label(label, DesignSystem::Fonts::sans(11, QFont::DemiBold))
{
    setLabel(label);
    followHover(DesignSystem::Animations::energetic);
}

QSizeF MenuBarAdjustButton::frameSize() const
{
    return m_label.size() + QSizeF(2 * kHorizontalPadding, 2 * kVerticalPadding);
}

void MenuBarAdjustButton::paintLook(QPainter &painter) const
{
    using namespace DesignSystem::Colors;
    const qreal hover = this->hover();
    const QRectF frame = this->frame();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setOpacity(labelOpacity());
    const QPainterPath shape = capsule(frame);
    painter.fillPath(shape, mixed(glassBackground, glassSelection, hover));
    painter.strokePath(shape, QPen(glassBorder, kOutlineWidth));
    painter.setPen(mixed(textSecondary, textPrimary, hover));
    m_label.paint(painter, frame.center());
}

} // namespace velorinth
