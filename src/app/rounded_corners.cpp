#include "app/rounded_corners.h"

#include "design/shapes.h"

#include <QPainter>

namespace velorinth {

RoundedCorners::RoundedCorners(qreal radius, const SoftShadow *shadow, QWidget *parent)
    : QWidget(parent)
    , m_radius(radius)
    , m_shadow(shadow)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
}

void RoundedCorners::resizeEvent(QResizeEvent *)
{
    QPainterPath whole;
    whole.addRect(rect());
    m_outside = whole.subtracted(continuousRoundedRect(rect(), m_radius));
}

void RoundedCorners::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    // Takes away coverage from what the widgets below painted, leaving the corners clear.
    painter.setCompositionMode(QPainter::CompositionMode_DestinationOut);
    painter.fillPath(m_outside, Qt::black);
    if (m_shadow) {
        painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
        painter.setClipPath(m_outside);
        m_shadow->paint(painter, rect(), m_radius);
    }
}

} // namespace velorinth
