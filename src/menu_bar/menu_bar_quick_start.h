#pragma once

#include "design/plain_button.h"
#include "design/text_line.h"
#include "menu_bar/paint_cache.h"

namespace velorinth {

class AnimatedValue;

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
    void hoverChanged() override;
    void paintEvent(QPaintEvent *event) override;

private:
    void paintLook(QPainter &painter) const;

    QString m_icon;
    TextLine m_number;
    TextLine m_unit;
    AnimatedValue *m_hover; // 0 resting, 1 under the pointer
    PaintCache m_cache;
};

} // namespace velorinth
