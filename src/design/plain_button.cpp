#include "design/plain_button.h"

#include "design/animated_value.h"
#include "design/frame_layout.h"

#include <QMouseEvent>
#include <QPainter>

#include <cmath>

namespace velorinth {

namespace {
constexpr qreal kPressedOpacity = 0.6;
}

PlainButton::PlainButton(std::function<void()> action, const QMarginsF &spill, QWidget *parent)
    : QAbstractButton(parent)
    , m_action(std::move(action))
{
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setContentsMargins(spillMargins(spill));
    setFocusPolicy(Qt::NoFocus); // the window's own keys (arrows, space) must reach it
    setMouseTracking(true);
    connect(this, &QAbstractButton::pressed, this, qOverload<>(&QWidget::update));
    connect(this, &QAbstractButton::released, this, qOverload<>(&QWidget::update));
    connect(this, &QAbstractButton::clicked, this, [this] {
        if (m_action)
            m_action();
    });
}

QSize PlainButton::sizeHint() const
{
    const QMargins margins = contentsMargins();
    const QSizeF size = frameSize();
    return QSize(static_cast<int>(std::ceil(size.width())),
                 static_cast<int>(std::ceil(size.height())))
        .grownBy(margins);
}

qreal PlainButton::labelOpacity() const
{
    return isDown() ? kPressedOpacity : 1.0;
}

QRectF PlainButton::frame() const
{
    return {QPointF(contentsRect().topLeft()), frameSize()};
}

bool PlainButton::hitButton(const QPoint &pos) const
{
    return contentsRect().contains(pos);
}

void PlainButton::mouseMoveEvent(QMouseEvent *event)
{
    setHovered(hitButton(event->position().toPoint()));
    QAbstractButton::mouseMoveEvent(event);
}

void PlainButton::leaveEvent(QEvent *event)
{
    setHovered(false);
    QAbstractButton::leaveEvent(event);
}

void PlainButton::hideEvent(QHideEvent *event)
{
    setHovered(false);
    QAbstractButton::hideEvent(event);
}

void PlainButton::followHover(const Animation &animation)
{
    m_hoverAnimation = animation;
    if (!m_hover)
        m_hover = AnimatedValue::repainting(m_hovered ? 1.0 : 0.0, this);
}

double PlainButton::hover() const
{
    return m_hover ? m_hover->value() : 0.0;
}

void PlainButton::lookChanged()
{
    m_picture.invalidate();
    update();
}

void PlainButton::paintEvent(QPaintEvent *)
{
    PaintCache::Key key = lookKey();
    key.push_back(hover());
    key.push_back(labelOpacity());
    QPainter painter(this);
    m_picture.paint(painter, *this, key, [this](QPainter &picture) { paintLook(picture); });
}

void PlainButton::setHovered(bool hovered)
{
    if (hovered == m_hovered)
        return;
    m_hovered = hovered;
    if (m_hover)
        m_hover->animateTo(hovered ? 1.0 : 0.0, m_hoverAnimation);
}

} // namespace velorinth
