#include "main_window/controls/status_indicator.h"

#include "design/animated_value.h"
#include "design/color_math.h"
#include "design/design_system.h"
#include "design/symbols.h"

#include <QPainter>

namespace velorinth {

namespace {
constexpr qreal kSymbolSize = 14.0;
constexpr qreal kPadding = 10.0;
constexpr int kDiameter = static_cast<int>(kSymbolSize + 2 * kPadding);
} // namespace

StatusIndicator::StatusIndicator(bool isOn, const QString &icon, QWidget *parent)
    : QWidget(parent)
    , m_isOn(isOn)
    , m_icon(icon)
    , m_lit(AnimatedValue::repainting(isOn ? 1.0 : 0.0, this))
{
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setAttribute(Qt::WA_TransparentForMouseEvents); // it shows, it does not react
}

void StatusIndicator::setOn(bool isOn, const Animation &animation)
{
    m_isOn = isOn;
    m_lit->animateTo(isOn ? 1.0 : 0.0, animation);
}

QSize StatusIndicator::sizeHint() const
{
    return {kDiameter, kDiameter};
}

void StatusIndicator::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    m_picture.paint(painter, *this, {m_lit->value()},
                    [this](QPainter &picture) { paintLook(picture); });
}

void StatusIndicator::paintLook(QPainter &painter) const
{
    const QRectF circle(QPointF(), QSizeF(kDiameter, kDiameter));
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(DesignSystem::Colors::glassBackground);
    painter.drawEllipse(circle);
    Symbols::paint(painter, m_icon, circle.center(), kSymbolSize, QFont::Normal,
                   mixed(DesignSystem::Colors::textQuaternary, DesignSystem::Colors::appleBlue,
                         m_lit->value()));
}

} // namespace velorinth
