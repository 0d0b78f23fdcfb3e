#include "menu_bar/menu_bar_toggle_button.h"

#include "design/color_math.h"
#include "design/design_system.h"
#include "design/symbols.h"

#include <QPainter>

namespace velorinth {

namespace {
constexpr qreal kSymbolSize = 13.0;
constexpr qreal kSpacing = 3.0;
constexpr qreal kVerticalPadding = 8.0;
constexpr qreal kTintOpacity = 0.08;
// The click animates whatever else follows the option; the tile itself always moves with
// its own quicker spring, whoever switched the option.
constexpr Animation kClick = Animation::spring(0.3);
constexpr Animation kLook = Animation::spring(0.2);
} // namespace

MenuBarToggleButton::MenuBarToggleButton(Binding<bool> isOn, const QString &icon,
                                         const QString &label, const QColor &activeColor,
                                         QWidget *parent)
    : ToggleButton(std::move(isOn), kClick, kLook, {}, parent)
    , m_icon(icon)
    , m_label(label, DesignSystem::Fonts::sans(9, QFont::Medium))
    , m_activeColor(activeColor)
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setLabel(label);
}

QSizeF MenuBarToggleButton::frameSize() const
{
    return {std::max(kSymbolSize, m_label.size().width()),
            2 * kVerticalPadding + kSymbolSize + kSpacing + m_label.size().height()};
}

void MenuBarToggleButton::paintLook(QPainter &painter) const
{
    using namespace DesignSystem::Colors;
    const qreal lit = this->lit();
    const QRectF frame(contentsRect());
    painter.fillRect(frame, withOpacity(m_activeColor, kTintOpacity * std::clamp(lit, 0.0, 1.0)));
    painter.setOpacity(labelOpacity());
    const qreal top = frame.top() + kVerticalPadding;
    Symbols::paint(painter, m_icon, {frame.center().x(), top + kSymbolSize / 2.0}, kSymbolSize,
                   QFont::Normal, mixed(textTertiary, m_activeColor, lit));
    painter.setPen(mixed(textQuaternary, textSecondary, lit));
    m_label.paint(
        painter,
        {frame.center().x(), top + kSymbolSize + kSpacing + m_label.size().height() / 2.0});
}

} // namespace velorinth
