#pragma once

#include "design/animated_change.h"

#include <QFont>
#include <QFontMetricsF>
#include <QHash>
#include <QObject>
#include <QStaticText>
#include <QString>

#include <vector>

class QPainter;

namespace velorinth {

class AnimatedValue;

// A number drawn as text whose changed characters roll: the old one slides out and fades
// while the new one slides in; characters that stay the same stay put. Characters are
// matched from the right (units with units), so a longer or shorter number grows or
// shrinks at its left while the text's width glides to the new one. The owner paints it
// from its paintEvent and repaints on changed().
class RollingDigits : public QObject
{
    Q_OBJECT

public:
    // Up: the old character leaves upwards and the new one comes from below, as on a
    // counter counting up. ByValue picks Up or Down from the number the digits spell.
    enum class Roll { ByValue, Up, Down };

    // One character as it is painted now.
    struct Glyph
    {
        QChar character;
        QPointF origin; // left end of its baseline, roll included
        qreal opacity;
    };

    explicit RollingDigits(const QFont &font, const QString &text = {}, QObject *parent = nullptr);

    // An instant animation changes at once. A change during a roll continues from what
    // is shown.
    void setText(const QString &text, const Animation &animation = currentAnimation(),
                 Roll roll = Roll::ByValue);
    [[nodiscard]] const QString &text() const { return m_text; }
    // Of the text once settled; the line's height.
    [[nodiscard]] QSizeF size() const;
    // The width painted now: it glides from the old text's to the new one's during a roll.
    [[nodiscard]] qreal shownWidth() const;
    // How far above and below the line a rolling character reaches.
    [[nodiscard]] qreal rollDistance() const;

    // The text placed in box: horizontally by alignment, its line centred vertically
    // unless alignment says top or bottom.
    [[nodiscard]] std::vector<Glyph> glyphs(const QRectF &box,
                                            Qt::Alignment alignment = Qt::AlignCenter) const;
    // In the painter's pen colour and the digits' own font.
    void paint(QPainter &painter, const QRectF &box,
               Qt::Alignment alignment = Qt::AlignCenter) const;

Q_SIGNALS:
    void changed();

private:
    // A character on its way in or out: 0 in place, 1 a roll below, -1 a roll above.
    struct Rolling
    {
        QChar character;
        AnimatedValue *position;
    };
    // One character place, counted from the right.
    struct Slot
    {
        AnimatedValue *width;
        Rolling current; // character null while the place is going away
        std::vector<Rolling> leaving;
    };

    [[nodiscard]] AnimatedValue *newValue(double value);
    void drop(Rolling &rolling);
    void prune();
    [[nodiscard]] qreal advance(QChar character);

    QFont m_font;
    QFontMetricsF m_metrics;
    QHash<QChar, qreal> m_advances; // measured once per character, never while painting
    QHash<QChar, QStaticText> m_shapes;
    QString m_text;
    std::vector<Slot> m_slots;
};

} // namespace velorinth
