#pragma once

#include <QFont>
#include <QSizeF>
#include <QStaticText>
#include <QString>

class QPainter;

namespace velorinth {

// One line of text laid out once, when it is made, so that painting it measures nothing.
class TextLine
{
public:
    TextLine(const QString &text, const QFont &font);

    // The letters' extent: the advance without the tracking after the last letter, by
    // the font's line height.
    [[nodiscard]] QSizeF size() const { return m_size; }
    // Draws the letters centred on centre.
    void paint(QPainter &painter, QPointF centre) const;

private:
    QFont m_font;
    QStaticText m_text;
    QSizeF m_size;
};

} // namespace velorinth
