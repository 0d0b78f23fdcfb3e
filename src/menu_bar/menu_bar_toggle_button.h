#pragma once

#include "design/binding.h"
#include "design/plain_button.h"
#include "design/text_line.h"
#include "menu_bar/paint_cache.h"

#include <QColor>

namespace velorinth {

class AnimatedValue;

// One option of the panel's bottom row: a symbol over a short label, in the option's
// accent colour on a faint tint while it is on, grey while it is off. A click anywhere
// on it switches the bound option; the tile shows what the binding then holds, and
// follows changes made elsewhere, always with its own quick spring.
class MenuBarToggleButton : public PlainButton
{
    Q_OBJECT

public:
    MenuBarToggleButton(Binding<bool> isOn, const QString &icon, const QString &label,
                        const QColor &activeColor, QWidget *parent = nullptr);

protected:
    [[nodiscard]] QSizeF frameSize() const override;
    void paintEvent(QPaintEvent *event) override;

private:
    void toggle();
    void refresh();
    void paintLook(QPainter &painter) const;

    Binding<bool> m_isOn;
    QString m_icon;
    TextLine m_label;
    QColor m_activeColor;
    AnimatedValue *m_lit; // 0 off, 1 on
    PaintCache m_cache;
};

} // namespace velorinth
