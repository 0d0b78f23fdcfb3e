#include "main_window/controls/mode_tab_button.h"

#include "design/animated_value.h"
#include "design/color_math.h"
#include "design/design_system.h"
#include "design/shapes.h"
#include "design/symbols.h"

#include <QPainter>

namespace velorinth {

namespace {
constexpr qreal kSymbolSize = 11.0;
constexpr qreal kSpacing = 5.0;
constexpr qreal kHorizontalPadding = 16.0;
constexpr qreal kVerticalPadding = 8.0;
constexpr qreal kFillOpacity = 0.2;
constexpr qreal kOutlineOpacity = 0.4;
constexpr qreal kOutlineWidth = 0.5;
// Half the outline lies outside the capsule.
constexpr QMarginsF kSpill(kOutlineWidth / 2, kOutlineWidth / 2, kOutlineWidth / 2,
                           kOutlineWidth / 2);
} // namespace

ModeTabButton::ModeTabButton(const QString &label, const QString &icon, bool isSelected,
                             std::function<void()> action, QWidget *parent)
    : PlainButton(std::move(action), kSpill, parent)
    , m_label(label, DesignSystem::Fonts::sans(12, QFont::DemiBold))
    , m_icon(icon)
    , m_isSelected(isSelected)
    , m_selection(AnimatedValue::repainting(isSelected ? 1.0 : 0.0, this))
{
    setLabel(label);
}

void ModeTabButton::setSelected(bool isSelected)
{
    m_isSelected = isSelected;
    m_selection->animateTo(isSelected ? 1.0 : 0.0, DesignSystem::Animations::spring);
}

QSizeF ModeTabButton::frameSize() const
{
    return {2 * kHorizontalPadding + kSymbolSize + kSpacing + m_label.size().width(),
            2 * kVerticalPadding + qMax(kSymbolSize, m_label.size().height())};
}

PaintCache::Key ModeTabButton::lookKey() const
{
    return {m_selection->value()};
}

void ModeTabButton::paintLook(QPainter &painter) const
{
    const qreal selection = m_selection->value();
    const QRectF frame = this->frame();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setOpacity(labelOpacity());

    const QPainterPath outline = capsule(frame);
    painter.fillPath(outline,
                     withOpacity(DesignSystem::Colors::appleBlue, kFillOpacity * selection));
    painter.strokePath(
        outline,
        QPen(withOpacity(DesignSystem::Colors::appleBlue, kOutlineOpacity * selection),
             kOutlineWidth));

    const QColor foreground =
        mixed(DesignSystem::Colors::textTertiary, DesignSystem::Colors::textPrimary, selection);
    const QRectF content = frame.adjusted(kHorizontalPadding, kVerticalPadding, -kHorizontalPadding,
                                          -kVerticalPadding);
    Symbols::paint(painter, m_icon, {content.left() + kSymbolSize / 2, content.center().y()},
                   kSymbolSize, QFont::DemiBold, foreground);
    painter.setPen(foreground);
    m_label.paint(painter, {content.right() - m_label.size().width() / 2, content.center().y()});
}

} // namespace velorinth
