#pragma once

#include "design/binding.h"
#include "design/plain_button.h"

namespace velorinth {

class AnimatedValue;

// A square glass card for one option: symbol over text, lit in blue while the bound
// option is on. A click inverts the bound value; the card then shows what the binding
// holds, which the owner may have refused.
class FeatureToggle : public PlainButton
{
    Q_OBJECT

public:
    FeatureToggle(Binding<bool> isOn, const QString &icon, const QString &label,
                  QWidget *parent = nullptr);

public Q_SLOTS:
    // The bound value may have changed elsewhere: move the look to it.
    void refresh();

protected:
    [[nodiscard]] QSizeF frameSize() const override;
    void paintEvent(QPaintEvent *event) override;

private:
    void toggle();

    Binding<bool> m_isOn;
    QString m_icon;
    QString m_label;
    AnimatedValue *m_lit; // 0 off, 1 on
};

} // namespace velorinth
