#pragma once

#include "design/plain_button.h"
#include "design/text_line.h"
#include "menu_bar/paint_cache.h"

namespace velorinth {

class AnimatedValue;

// A small glass capsule with a text such as "+5m" that brightens under the pointer.
class MenuBarAdjustButton : public PlainButton
{
    Q_OBJECT

public:
    MenuBarAdjustButton(const QString &label, std::function<void()> action,
                        QWidget *parent = nullptr);

protected:
    [[nodiscard]] QSizeF frameSize() const override;
    void hoverChanged() override;
    void paintEvent(QPaintEvent *event) override;

private:
    void paintLook(QPainter &painter) const;

    TextLine m_label;
    AnimatedValue *m_hover; // 0 resting, 1 under the pointer
    PaintCache m_cache;
};

} // namespace velorinth
