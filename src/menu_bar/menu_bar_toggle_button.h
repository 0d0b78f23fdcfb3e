#pragma once

#include "design/text_line.h"
#include "design/toggle_button.h"

#include <QColor>

namespace velorinth {

// One option of the panel's bottom row: a symbol over a short label, in the option's
// accent colour on a faint tint while it is on, grey while it is off. A click anywhere
// on it switches the bound option; the tile shows what the binding then holds, and
// follows changes made elsewhere, always with its own quick spring.
class MenuBarToggleButton : public ToggleButton
{
    Q_OBJECT

public:
    MenuBarToggleButton(Binding<bool> isOn, const QString &icon, const QString &label,
                        const QColor &activeColor, QWidget *parent = nullptr);

protected:
    [[nodiscard]] QSizeF frameSize() const override;
    void paintLook(QPainter &painter) const override;

private:
    QString m_icon;
    TextLine m_label;
    QColor m_activeColor;
};

} // namespace velorinth
