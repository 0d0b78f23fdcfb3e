#include "menu_bar/paint_cache.h"

#include <QPainter>
#include <QWidget>

namespace velorinth {

void PaintCache::paint(QPainter &painter, const QWidget &widget, std::initializer_list<double> look,
                       const std::function<void(QPainter &)> &draw)
{
    const qreal ratio = widget.devicePixelRatioF();
    const QSize pixels = (QSizeF(widget.size()) * ratio).toSize();
    if (m_picture.isNull() || m_picture.size() != pixels || m_picture.devicePixelRatio() != ratio
        || !std::equal(look.begin(), look.end(), m_look.begin(), m_look.end())) {
        m_look.assign(look);
        m_picture = QPixmap(pixels);
        m_picture.setDevicePixelRatio(ratio);
        m_picture.fill(Qt::transparent);
        QPainter picture(&m_picture);
        draw(picture);
    }
    painter.drawPixmap(QPointF(), m_picture);
}

} // namespace velorinth
