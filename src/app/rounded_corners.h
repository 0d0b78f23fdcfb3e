#pragma once

#include "design/soft_shadow.h"

#include <QPainterPath>
#include <QWidget>

namespace velorinth {

// Rounds the corners of whatever lies under it: a widget over a window's content that
// clears, antialiased, the pixels outside a rectangle with continuous corners. Only a
// translucent window (under a compositor) shows the cleared pixels as see-through. It takes
// no input and repaints only where the content below repaints.
class RoundedCorners final : public QWidget
{
    Q_OBJECT

public:
    // shadow: the one the window draws under the rounded shape, if any; the corners show it
    // again where they clear the content. It must outlive this widget.
    RoundedCorners(qreal radius, const SoftShadow *shadow, QWidget *parent);

protected:
    void resizeEvent(QResizeEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    qreal m_radius;
    const SoftShadow *m_shadow;
    QPainterPath m_outside; // the rectangle less the rounded shape
};

} // namespace velorinth
