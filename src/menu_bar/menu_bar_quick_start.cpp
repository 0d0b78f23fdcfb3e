#include "menu_bar/menu_bar_quick_start.h"

#include "design/color_math.h"
#include "design/design_system.h"
#include "design/shapes.h"
#include "design/symbols.h"

#include <QPainter>

namespace velorinth {

namespace {
constexpr qreal kHorizontalPadding = 12.0;
constexpr qreal kVerticalPadding = 8.0;
constexpr qreal kSpacing = 6.0;
constexpr qreal kIconSize = 12.0;
constexpr qreal kPlaySize = 9.0;
constexpr qreal kCornerRadius = 10.0;
constexpr qreal kOutlineWidth = 0.5;
constexpr qreal kHoverOutlineOpacity = 0.3;
constexpr qreal kHoverScale = 1.02;
// Room for the hover growth of a tile up to 200 points wide, and for the outline.
const QMarginsF kSpill(2.0, 1.0, 2.0, 1.0);
} // namespace

MenuBarQuickStart::MenuBarQuickStart(int minutes, const QString &icon, std::function<void()> action,
                                     QWidget *parent)
    : PlainButton(std::move(action), kSpill, parent)
    , m_icon(icon)
    , m_number(QString::number(minutes), DesignSystem::Fonts::display(15))
    , m_unit(QStringLiteral("min"), DesignSystem::Fonts::sans(9, QFont::Medium))
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setLabel(QStringLiteral("%1 minutes").arg(minutes));
    followHover(DesignSystem::Animations::energetic);
}

QSizeF MenuBarQuickStart::frameSize() const
{
    const qreal column = std::max(m_number.size().width(), m_unit.size().width());
    const qreal height = std::max(kIconSize, m_number.size().height() + m_unit.size().height());
    return {2 * kHorizontalPadding + kIconSize + column + kPlaySize + 2 * kSpacing,
            2 * kVerticalPadding + height};
}

void MenuBarQuickStart::paintLook(QPainter &painter) const
{
    using namespace DesignSystem::Colors;
    const qreal hover = this->hover();
    const QRectF frame(contentsRect());
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setOpacity(labelOpacity());
    const qreal scale = 1.0 + (kHoverScale - 1.0) * hover;
    painter.translate(frame.center());
    painter.scale(scale, scale);
    painter.translate(-frame.center());

    const QPainterPath shape = continuousRoundedRect(frame, kCornerRadius);
    painter.fillPath(shape, mixed(glassBackground, glassSelection, hover));
    painter.strokePath(shape,
                       QPen(mixed(glassBorder, withOpacity(appleBlue, kHoverOutlineOpacity), hover),
                            kOutlineWidth));

    const qreal middle = frame.center().y();
    const qreal iconCentre = frame.left() + kHorizontalPadding + kIconSize / 2.0;
    Symbols::paint(painter, m_icon, {iconCentre, middle}, kIconSize, QFont::Normal,
                   mixed(textSecondary, appleBlue, hover));
    const qreal textLeft = iconCentre + kIconSize / 2.0 + kSpacing;
    const qreal top = middle - (m_number.size().height() + m_unit.size().height()) / 2.0;
    painter.setPen(textPrimary);
    m_number.paint(
        painter, {textLeft + m_number.size().width() / 2.0, top + m_number.size().height() / 2.0});
    painter.setPen(textTertiary);
    m_unit.paint(painter,
                 {textLeft + m_unit.size().width() / 2.0,
                  top + m_number.size().height() + m_unit.size().height() / 2.0});
    Symbols::paint(painter, QStringLiteral("play.fill"),
                   {frame.right() - kHorizontalPadding - kPlaySize / 2.0, middle}, kPlaySize,
                   QFont::Normal, mixed(textQuaternary, appleBlue, hover));
}

} // namespace velorinth
