#include "main_window/controls/adjust_button.h"

#include "design/design_system.h"
#include "design/glass.h"
#include "design/symbols.h"

#include <QPainter>

namespace velorinth {

namespace {
constexpr qreal kSymbolScale = 0.4;
// The system's standard spring, deliberately not the design one.
constexpr Animation kHoverAnimation = Animation::spring(0.5, 1.0);
} // namespace

AdjustButton::AdjustButton(const QString &icon, const QString &label, qreal size,
                           std::function<void()> action, QWidget *parent)
    : PlainButton(std::move(action), Glass::shadowReach(), parent)
    , m_icon(icon)
    , m_size(size)
{
    setLabel(label);
    followHover(kHoverAnimation);
}

AdjustButton::AdjustButton(const QString &icon, const QString &label, std::function<void()> action,
                           QWidget *parent)
    : AdjustButton(icon, label, kDefaultSize, std::move(action), parent)
{
}

QSizeF AdjustButton::frameSize() const
{
    return {m_size, m_size};
}

void AdjustButton::paintLook(QPainter &painter) const
{
    const QRectF frame = this->frame();
    const Glass glass(m_size / 2);
    painter.setOpacity(labelOpacity());
    glass.paintSurface(painter, frame, hover());
    Symbols::paint(painter, m_icon, frame.center(), m_size * kSymbolScale, QFont::Bold,
                   DesignSystem::Colors::textSecondary);
    glass.paintBorder(painter, frame);
}

} // namespace velorinth
