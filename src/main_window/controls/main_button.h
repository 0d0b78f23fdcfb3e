#pragma once

#include "design/plain_button.h"

namespace velorinth {

class AnimatedValue;

// The large start/stop capsule: "LANCER" in white on the accent gradient with a blue glow,
// or "ARRÊTER" in pink on glass while a session runs. Grows slightly under the pointer.
class MainButton : public PlainButton
{
    Q_OBJECT

public:
    MainButton(bool isActive, std::function<void()> action, QWidget *parent = nullptr);

    void setActive(bool isActive);
    [[nodiscard]] bool isActive() const { return m_isActive; }

protected:
    [[nodiscard]] QSizeF frameSize() const override;
    void hoverChanged() override;
    void paintEvent(QPaintEvent *event) override;

private:
    bool m_isActive;
    AnimatedValue *m_scale;
};

} // namespace velorinth
