#pragma once

#include <QPixmap>

#include <functional>
#include <initializer_list>
#include <vector>

class QPainter;
class QWidget;

namespace velorinth {

// A widget's own painting kept as a picture at the device pixel ratio, drawn anew only
// when what it shows has changed. The panel's controls lie on a drifting ground that
// repaints them at every step of its drift: filling their rounded shapes again costs
// many times more than copying the picture.
class PaintCache
{
public:
    // look: the numbers the painting depends on (hover, highlight, pressed, …); with the
    // widget's size and pixel ratio they decide whether the picture still holds.
    void paint(QPainter &painter, const QWidget &widget, std::initializer_list<double> look,
               const std::function<void(QPainter &)> &draw);
    // Something the numbers do not tell changed: draw anew next time.
    void invalidate() { m_picture = QPixmap(); }

private:
    QPixmap m_picture;
    std::vector<double> m_look;
};

} // namespace velorinth
