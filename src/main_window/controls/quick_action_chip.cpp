#include "main_window/controls/quick_action_chip.h"

#include "design/design_system.h"
#include "design/glass.h"

#include <QFontMetricsF>
#include <QPainter>

namespace velorinth {

namespace {
constexpr qreal kCornerRadius = 12.0;
constexpr qreal kHorizontalPadding = 16.0;
constexpr qreal kVerticalPadding = 8.0;

QFont labelFont()
{
    return DesignSystem::Fonts::sans(12, QFont::DemiBold);
}
} // namespace

QuickActionChip::QuickActionChip(const QString &label, std::function<void()> action,
                                 QWidget *parent)
    : PlainButton(std::move(action), parent)
    , m_label(label)
{
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setSpill(Glass::shadowReach());
}

QSizeF QuickActionChip::frameSize() const
{
    const QFontMetricsF metrics(labelFont());
    return {metrics.horizontalAdvance(m_label) + 2 * kHorizontalPadding,
            metrics.height() + 2 * kVerticalPadding};
}

void QuickActionChip::paintEvent(QPaintEvent *)
{
    const QRectF frame = this->frame();
    const Glass glass(kCornerRadius);
    QPainter painter(this);
    painter.setOpacity(labelOpacity());
    glass.paintSurface(painter, frame);
    painter.setFont(labelFont());
    painter.setPen(DesignSystem::Colors::textSecondary);
    painter.drawText(frame, Qt::AlignCenter, m_label);
    glass.paintBorder(painter, frame);
}

} // namespace velorinth
