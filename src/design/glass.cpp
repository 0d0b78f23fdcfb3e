#include "design/glass.h"

#include "design/color_math.h"
#include "design/design_system.h"
#include "design/shapes.h"
#include "design/soft_shadow.h"

#include <QPainter>

namespace velorinth {

namespace {
constexpr qreal kHairline = 0.5;

// The card lets the ground show through, so its shadow must not darken its inside.
const SoftShadow &shadow()
{
    static const SoftShadow shadow(QColor::fromRgbF(0.0f, 0.0f, 0.0f, 0.3f), 10.0, {0.0, 5.0},
                                   SoftShadow::Inside::Cleared);
    return shadow;
}
} // namespace

Glass::Glass(qreal cornerRadius)
    : m_cornerRadius(cornerRadius)
{
}

void Glass::paintSurface(QPainter &painter, const QRectF &frame, qreal highlight) const
{
    shadow().paint(painter, frame, m_cornerRadius);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillPath(continuousRoundedRect(frame, m_cornerRadius),
                     mixed(DesignSystem::Colors::glassBackground,
                           DesignSystem::Colors::glassSelection, highlight));
    painter.restore();
}

void Glass::paintBorder(QPainter &painter, const QRectF &frame) const
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(DesignSystem::Colors::glassBorder, kHairline));
    painter.drawPath(continuousRoundedRect(frame, m_cornerRadius));
    painter.restore();
}

QMarginsF Glass::shadowReach()
{
    return shadow().reach();
}

} // namespace velorinth
