#pragma once

#include "design/plain_button.h"

#include <QColor>
#include <QFont>

namespace velorinth {

// A symbol padded all round on a small circle: the panel's open-app and quit buttons and
// its stop button. Under the pointer the symbol takes its hover colour at once.
class RoundSymbolButton : public PlainButton
{
    Q_OBJECT

public:
    struct Look
    {
        QString icon;
        qreal symbolSize;
        QFont::Weight weight;
        qreal padding; // between the symbol's square and the circle
        QColor colour;
        QColor hoverColour;
        QColor fill;
        QColor outline = {}; // one point wide; invalid: none
    };

    // label: what the symbol does, shown as its tooltip and read by screen readers.
    RoundSymbolButton(const Look &look, const QString &label, std::function<void()> action,
                      QWidget *parent = nullptr);

protected:
    [[nodiscard]] QSizeF frameSize() const override;
    void paintLook(QPainter &painter) const override;

private:
    Look m_look;
};

} // namespace velorinth
