#include "menu_bar/divider.h"

#include "design/design_system.h"

#include <QPainter>

namespace velorinth {

namespace {
constexpr int kThickness = 1;
}

Divider::Divider(Qt::Orientation orientation, QWidget *parent)
    : QWidget(parent)
    , m_orientation(orientation)
{
    setSizePolicy(orientation == Qt::Horizontal ? QSizePolicy::Expanding : QSizePolicy::Fixed,
                  orientation == Qt::Horizontal ? QSizePolicy::Fixed : QSizePolicy::Expanding);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

QSize Divider::sizeHint() const
{
    return m_orientation == Qt::Horizontal ? QSize(0, kThickness) : QSize(kThickness, 0);
}

void Divider::paintEvent(QPaintEvent *)
{
    QPainter(this).fillRect(rect(), DesignSystem::Colors::glassBorder);
}

} // namespace velorinth
