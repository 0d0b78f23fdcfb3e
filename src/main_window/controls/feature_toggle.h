#pragma once

#include "design/binding.h"
#include "design/plain_button.h"
#include "design/text_line.h"

namespace velorinth {

class AnimatedValue;

// A square glass card for one option: symbol over text, lit in blue while the bound
// option is on. A click inverts the bound value inside the platform's default animation;
// the card shows what the binding holds, which the owner may have refused, and follows
// changes made elsewhere with whatever animation carried them.
class FeatureToggle : public PlainButton
{
    Q_OBJECT

public:
    FeatureToggle(Binding<bool> isOn, const QString &icon, const QString &label,
                  QWidget *parent = nullptr);

protected:
    [[nodiscard]] QSizeF frameSize() const override;
    [[nodiscard]] PaintCache::Key lookKey() const override;
    void paintLook(QPainter &painter) const override;

private:
    void toggle();
    void refresh();

    Binding<bool> m_isOn;
    QString m_icon;
    TextLine m_label;
    AnimatedValue *m_lit; // 0 off, 1 on
};

} // namespace velorinth
