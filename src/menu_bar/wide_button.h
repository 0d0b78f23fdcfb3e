#pragma once

#include "design/plain_button.h"
#include "design/text_line.h"

#include <QColor>

namespace velorinth {

class Spinner;

// A button as wide as it is given: a symbol (or a spinner) and a text centred on a
// rounded rectangle. "Lancer maintenant" and the installer sheet's two buttons.
class WideButton : public PlainButton
{
    Q_OBJECT

public:
    struct Look
    {
        QFont font;
        qreal symbolSize;
        QColor foreground; // symbol, spinner and text
        QColor fill;
        QColor outline; // invalid: none
        qreal outlineWidth;
        qreal cornerRadius;
        qreal verticalPadding;
        qreal spacing; // between the symbol and the text
    };

    // icon: a symbol name, or empty for the text alone.
    WideButton(const Look &look, const QString &icon, const QString &text,
               std::function<void()> action, QWidget *parent = nullptr);

    // What it shows; the text is its label too.
    void setContent(const QString &icon, const QString &text);
    // A spinner in place of the symbol, at 70 % of the text's height.
    void setSpinning(bool spinning);
    [[nodiscard]] bool isSpinning() const;

protected:
    [[nodiscard]] QSizeF frameSize() const override;
    [[nodiscard]] PaintCache::Key lookKey() const override;
    void paintLook(QPainter &painter) const override;

private:
    [[nodiscard]] qreal leadingWidth() const;

    Look m_look;
    QString m_icon;
    TextLine m_label;
    Spinner *m_spinner = nullptr; // made on first use
};

} // namespace velorinth
