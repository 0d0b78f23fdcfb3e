#pragma once

#include <QPixmap>
#include <QRegion>

#include <functional>
#include <vector>

class QPainter;
class QWidget;

namespace velorinth {

// A widget's own painting kept as a picture at the device pixel ratio, drawn anew only
// when what it shows has changed. Controls lie on a drifting ground that repaints them at
// every step of its drift: filling their rounded shapes and shaping their text again
// costs many times more than copying the picture.
class PaintCache
{
public:
    // The numbers the painting depends on (hover, highlight, pressed, …); with the area
    // and the pixel ratio they decide whether the picture still holds.
    using Key = std::vector<double>;
    using Draw = std::function<void(QPainter &)>;

    // The whole widget.
    void paint(QPainter &painter, const QWidget &widget, const Key &key, const Draw &draw);
    // Only area, in the widget's coordinates, which draw paints in too.
    void paint(QPainter &painter, const QRect &area, const Key &key, const Draw &draw);
    // Something the key does not tell changed: draw anew next time.
    void invalidate() { m_valid = false; }
    // The same, within part of the picture only (a ring's arc moving a little): draw is
    // clipped to it next time.
    void invalidate(const QRect &part) { m_stale += part; }

private:
    void redraw(const QRegion &part, const Draw &draw);

    QPixmap m_picture;
    QRect m_area;
    Key m_key;
    bool m_valid = false;
    QRegion m_stale;
};

} // namespace velorinth
