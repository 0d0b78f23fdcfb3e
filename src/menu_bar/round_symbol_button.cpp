#include "menu_bar/round_symbol_button.h"

#include "design/symbols.h"

#include <QPainter>

namespace velorinth {

namespace {
constexpr qreal kOutlineWidth = 1.0;

QMarginsF outlineSpill(const QColor &outline)
{
    const qreal half = outline.isValid() ? kOutlineWidth / 2.0 : 0.0;
    return {half, half, half, half};
}
} // namespace

RoundSymbolButton::RoundSymbolButton(const Look &look, const QString &label,
                                     std::function<void()> action, QWidget *parent)
    : PlainButton(std::move(action), outlineSpill(look.outline), parent)
    , m_look(look)
{
    setToolTip(label);
    setLabel(label);
    followHover(Animation::none()); // the colour changes at once
}

QSizeF RoundSymbolButton::frameSize() const
{
    const qreal diameter = m_look.symbolSize + 2.0 * m_look.padding;
    return {diameter, diameter};
}

void RoundSymbolButton::paintLook(QPainter &painter) const
{
    const QRectF circle = frame();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setOpacity(labelOpacity());
    painter.setPen(m_look.outline.isValid() ? QPen(m_look.outline, kOutlineWidth) : Qt::NoPen);
    painter.setBrush(m_look.fill);
    painter.drawEllipse(circle);
    Symbols::paint(painter, m_look.icon, circle.center(), m_look.symbolSize, m_look.weight,
                   isHovered() ? m_look.hoverColour : m_look.colour);
}

} // namespace velorinth
