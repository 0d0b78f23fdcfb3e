#pragma once

#include "design/plain_button.h"
#include "design/text_line.h"

namespace velorinth {

class AnimatedValue;

// One tab of the setup screen's mode switch: symbol and text on a blue capsule while
// selected, bare tertiary text otherwise. The tab animates every change of its selection
// with the design spring, whatever animated the change that caused it.
class ModeTabButton : public PlainButton
{
    Q_OBJECT

public:
    ModeTabButton(const QString &label, const QString &icon, bool isSelected,
                  std::function<void()> action, QWidget *parent = nullptr);

    void setSelected(bool isSelected);
    [[nodiscard]] bool isSelected() const { return m_isSelected; }

protected:
    [[nodiscard]] QSizeF frameSize() const override;
    [[nodiscard]] PaintCache::Key lookKey() const override;
    void paintLook(QPainter &painter) const override;

private:
    TextLine m_label;
    QString m_icon;
    bool m_isSelected;
    AnimatedValue *m_selection; // 0 unselected, 1 selected
};

} // namespace velorinth
