#include "design/paint_cache.h"

#include <QPainter>
#include <QWidget>

namespace velorinth {

void PaintCache::paint(QPainter &painter, const QWidget &widget, const Key &key, const Draw &draw)
{
    paint(painter, widget.rect(), key, draw);
}

void PaintCache::paint(QPainter &painter, const QRect &area, const Key &key, const Draw &draw)
{
    // The painter's own ratio: a grab or a transition's snapshot may differ from the screen's.
    const qreal ratio = painter.device()->devicePixelRatioF();
    const QSize pixels = (QSizeF(area.size()) * ratio).toSize();
    if (pixels.isEmpty())
        return;
    if (m_picture.size() != pixels || m_picture.devicePixelRatio() != ratio) {
        m_picture = QPixmap(pixels);
        m_picture.setDevicePixelRatio(ratio);
        m_valid = false;
    }
    if (!m_valid || area != m_area || key != m_key) {
        m_valid = true;
        m_area = area;
        m_key = key;
        redraw(area, draw);
    } else if (!m_stale.isEmpty()) {
        redraw(m_stale & area, draw);
    }
    m_stale = QRegion();
    painter.drawPixmap(area.topLeft(), m_picture);
}

void PaintCache::redraw(const QRegion &part, const Draw &draw)
{
    // A plain fill for the whole picture: clearing it through the painter would hand a
    // large area to Qt's fill threads, whose waking costs more than the fill.
    const bool whole = part == QRegion(m_area);
    if (whole)
        m_picture.fill(Qt::transparent);
    QPainter picture(&m_picture);
    picture.translate(-m_area.topLeft());
    if (!whole) {
        picture.setClipRegion(part);
        picture.setCompositionMode(QPainter::CompositionMode_Clear);
        picture.fillRect(part.boundingRect(), Qt::transparent);
        picture.setCompositionMode(QPainter::CompositionMode_SourceOver);
    }
    draw(picture);
}

} // namespace velorinth
