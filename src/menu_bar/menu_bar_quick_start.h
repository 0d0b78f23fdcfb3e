#pragma once

#include "design/plain_button.h"
#include "design/text_line.h"

namespace velorinth {

// A preset tile: a symbol, a number of minutes over "min", and a play mark at its far
// end; under the pointer it lights up in blue and grows a little. It takes the width it
// is given.
class MenuBarQuickStart : public PlainButton
{
    Q_OBJECT

public:
    MenuBarQuickStart(int minutes, const QString &icon, std::function<void()> action,
                      QWidget *parent = nullptr);

protected:
    [[nodiscard]] QSizeF frameSize() const override;
    void paintLook(QPainter &painter) const override;

private:
    QString m_icon;
    TextLine m_number;
    TextLine m_unit;
};

} // namespace velorinth
