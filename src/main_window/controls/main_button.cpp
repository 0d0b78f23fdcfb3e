#include "main_window/controls/main_button.h"

#include "design/animated_value.h"
#include "design/color_math.h"
#include "design/design_system.h"
#include "design/shapes.h"
#include "design/soft_shadow.h"

#include <QPainter>

namespace velorinth {

namespace {
constexpr QSizeF kFrame(180.0, 54.0);
constexpr qreal kHoverScale = 1.02;
constexpr qreal kTracking = 1.2;
constexpr qreal kStrokeWidth = 1.0;

const SoftShadow &glow()
{
    static const SoftShadow glow(withOpacity(DesignSystem::Colors::appleBlue, 0.3), 15.0,
                                 {0.0, 8.0});
    return glow;
}

QFont titleFont()
{
    QFont font = DesignSystem::Fonts::display(14);
    font.setLetterSpacing(QFont::AbsoluteSpacing, kTracking);
    return font;
}
} // namespace

MainButton::MainButton(bool isActive, std::function<void()> action, QWidget *parent)
    : PlainButton(std::move(action), parent)
    , m_isActive(isActive)
    , m_scale(new AnimatedValue(1.0, this))
{
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    // Room for the glow and for the hover growth.
    const qreal growth = (kHoverScale - 1.0) * kFrame.width() / 2.0;
    setSpill(glow().reach() + QMarginsF(growth, growth, growth, growth));
    connect(m_scale, &AnimatedValue::valueChanged, this, qOverload<>(&QWidget::update));
}

void MainButton::setActive(bool isActive)
{
    if (isActive == m_isActive)
        return;
    m_isActive = isActive;
    update();
}

QSizeF MainButton::frameSize() const
{
    return kFrame;
}

void MainButton::hoverChanged()
{
    m_scale->animateTo(isHovered() ? kHoverScale : 1.0, DesignSystem::Animations::energetic);
}

void MainButton::paintEvent(QPaintEvent *)
{
    const QRectF frame = this->frame();
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setOpacity(labelOpacity());
    const qreal scale = m_scale->value();
    painter.translate(frame.center());
    painter.scale(scale, scale);
    painter.translate(-frame.center());

    const QPainterPath shape = capsule(frame);
    if (m_isActive) {
        painter.fillPath(shape, DesignSystem::Colors::glassBackground);
        painter.strokePath(capsule(frame.adjusted(kStrokeWidth / 2, kStrokeWidth / 2,
                                                  -kStrokeWidth / 2, -kStrokeWidth / 2)),
                           QPen(DesignSystem::Colors::glassBorder, kStrokeWidth));
    } else {
        glow().paint(painter, frame, frame.height() / 2.0);
        painter.fillPath(shape, DesignSystem::Gradients::primaryAccent);
    }

    painter.setFont(titleFont());
    painter.setPen(m_isActive ? DesignSystem::Colors::applePink : QColor(Qt::white));
    // Tracking follows every letter, the last one too; centre the letters themselves.
    painter.drawText(frame.translated(kTracking / 2.0, 0.0), Qt::AlignCenter,
                     m_isActive ? QStringLiteral("ARRÊTER") : QStringLiteral("LANCER"));
}

} // namespace velorinth
