#pragma once

#include "design/text_line.h"
#include "design/toggle_button.h"

namespace velorinth {

// A square glass card for one option: symbol over text, lit in blue while the bound
// option is on. A click inverts the bound value inside the platform's default animation;
// the card shows what the binding holds, which the owner may have refused, and follows
// changes made elsewhere with whatever animation carried them.
class FeatureToggle : public ToggleButton
{
    Q_OBJECT

public:
    FeatureToggle(Binding<bool> isOn, const QString &icon, const QString &label,
                  QWidget *parent = nullptr);

protected:
    [[nodiscard]] QSizeF frameSize() const override;
    void paintLook(QPainter &painter) const override;

private:
    QString m_icon;
    TextLine m_label;
};

} // namespace velorinth
