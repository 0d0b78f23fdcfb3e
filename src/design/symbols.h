#pragma once

#include <QBrush>
#include <QFont>
#include <QPointF>
#include <QString>

class QPainter;

namespace velorinth {

// The named system symbols the views use ("moon.fill", "speaker.wave.2.fill", …), drawn
// from the Material Icons font or composed from its glyphs where none fits.
class Symbols
{
public:
    [[nodiscard]] static bool contains(const QString &name);
    // Draws the symbol centred on centre, in a square of `size` points (the point size of
    // the system font it would be set in). Heavier weights thicken the strokes. Unknown
    // names draw nothing.
    static void paint(QPainter &painter, const QString &name, QPointF centre, qreal size,
                      QFont::Weight weight, const QBrush &brush);
};

} // namespace velorinth
