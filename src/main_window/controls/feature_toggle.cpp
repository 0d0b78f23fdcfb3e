#include "main_window/controls/feature_toggle.h"

#include "design/animated_value.h"
#include "design/color_math.h"
#include "design/design_system.h"
#include "design/glass.h"
#include "design/shapes.h"
#include "design/symbols.h"

#include <QFontMetricsF>
#include <QPainter>

namespace velorinth {

namespace {
constexpr qreal kSide = 80.0;
constexpr qreal kCornerRadius = 20.0;
constexpr qreal kSymbolSize = 18.0;
constexpr qreal kSpacing = 8.0;
constexpr qreal kOutlineOpacity = 0.3;
constexpr qreal kOutlineWidth = 1.0;

QFont labelFont()
{
    return DesignSystem::Fonts::sans(11, QFont::Medium);
}
} // namespace

FeatureToggle::FeatureToggle(Binding<bool> isOn, const QString &icon, const QString &label,
                             QWidget *parent)
    : PlainButton([this] { toggle(); }, parent)
    , m_isOn(std::move(isOn))
    , m_icon(icon)
    , m_label(label)
    , m_lit(new AnimatedValue(m_isOn.get() ? 1.0 : 0.0, this))
{
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setSpill(Glass::shadowReach());
    connect(m_lit, &AnimatedValue::valueChanged, this, qOverload<>(&QWidget::update));
}

void FeatureToggle::refresh()
{
    const double lit = m_isOn.get() ? 1.0 : 0.0;
    if (lit != m_lit->target())
        m_lit->animateTo(lit, Animation::systemDefault());
}

void FeatureToggle::toggle()
{
    m_isOn.set(!m_isOn.get());
    refresh();
}

QSizeF FeatureToggle::frameSize() const
{
    return {kSide, kSide};
}

void FeatureToggle::paintEvent(QPaintEvent *)
{
    const qreal lit = m_lit->value();
    const QRectF frame = this->frame();
    const Glass glass(kCornerRadius);
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setOpacity(labelOpacity());
    glass.paintSurface(painter, frame, lit);

    const QFont font = labelFont();
    const qreal textHeight = QFontMetricsF(font).height();
    const qreal top = frame.center().y() - (kSymbolSize + kSpacing + textHeight) / 2;
    Symbols::paint(
        painter, m_icon, {frame.center().x(), top + kSymbolSize / 2}, kSymbolSize, QFont::Normal,
        mixed(DesignSystem::Colors::textSecondary, DesignSystem::Colors::appleBlue, lit));
    painter.setFont(font);
    painter.setPen(
        mixed(DesignSystem::Colors::textSecondary, DesignSystem::Colors::textPrimary, lit));
    painter.drawText(QRectF(frame.left(), top + kSymbolSize + kSpacing, frame.width(), textHeight),
                     Qt::AlignHCenter | Qt::AlignTop, m_label);

    glass.paintBorder(painter, frame);
    const qreal inset = kOutlineWidth / 2;
    painter.strokePath(
        continuousRoundedRect(frame.adjusted(inset, inset, -inset, -inset), kCornerRadius - inset),
        QPen(withOpacity(DesignSystem::Colors::appleBlue, kOutlineOpacity * lit), kOutlineWidth));
}

} // namespace velorinth
