#pragma once

#include "design/rolling_digits.h"

#include <QColor>
#include <QWidget>

namespace velorinth {

// A number on one line whose changed digits roll upwards, as a widget of its own so a
// screen can lay it out and the screens' swap can hand it over as a matched element. Its
// frame is the line, as wide as the digits shown: that width glides with a roll, and
// frameWidthChanged() asks the owner to lay it out anew. The rolling characters spill
// above and below the frame. It shows, it does not react.
class RollingLabel : public QWidget
{
    Q_OBJECT

public:
    RollingLabel(const QFont &font, const QColor &colour, QWidget *parent = nullptr);

    // An instant animation changes the text at once.
    void setText(const QString &text, const Animation &animation = currentAnimation());
    [[nodiscard]] const QString &text() const { return m_digits.text(); }
    // Of the line, from the frame's top.
    [[nodiscard]] qreal baseline() const;
    [[nodiscard]] QSize sizeHint() const override;

Q_SIGNALS:
    void frameWidthChanged();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void digitsChanged();

    RollingDigits m_digits;
    QColor m_colour;
    qreal m_ascent;
    int m_width = 0; // of the frame, as last announced
};

} // namespace velorinth
