#include "menu_bar/menu_bar_adjust_button.h"

#include "design/color_math.h"
#include "design/design_system.h"
#include "design/shapes.h"

#include <QPainter>

#include <cstdlib>

namespace velorinth {

namespace {
constexpr qreal kHorizontalPadding = 10.0;
constexpr qreal kVerticalPadding = 6.0;
constexpr qreal kOutlineWidth = 0.5;
} // namespace

MenuBarAdjustButton::MenuBarAdjustButton(int minutes, const std::function<void(int)> &addMinutes,
                                         QWidget *parent)
    : PlainButton([addMinutes, minutes] { addMinutes(minutes); },
                  QMarginsF(kOutlineWidth, kOutlineWidth, kOutlineWidth, kOutlineWidth) / 2.0,
                  parent)
    , m_label((minutes < 0 ? QStringLiteral("\u2212%1m") : QStringLiteral("+%1m"))
                  .arg(std::abs(minutes)),
              DesignSystem::Fonts::sans(11, QFont::DemiBold))
{
    setLabel(
        (minutes < 0 ? QStringLiteral("Retirer %1 minutes") : QStringLiteral("Ajouter %1 minutes"))
            .arg(std::abs(minutes)));
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
