#pragma once

#include "design/animation.h"
#include "design/binding.h"
#include "design/plain_button.h"

#include <optional>

namespace velorinth {

class AnimatedValue;

// A button for one on/off option. A click inverts the bound value inside the click
// animation; the button shows what the binding then holds, which the owner may have
// refused, and follows changes made elsewhere. Its look is lit() from 0 (off) to 1 (on).
class ToggleButton : public PlainButton
{
    Q_OBJECT

public:
    // look: how the light follows a change; none follows with whatever animation
    // carried it.
    ToggleButton(Binding<bool> isOn, const Animation &click, std::optional<Animation> look,
                 const QMarginsF &spill, QWidget *parent);

protected:
    [[nodiscard]] double lit() const;
    [[nodiscard]] PaintCache::Key lookKey() const override;

private:
    void toggle();
    void refresh();

    Binding<bool> m_isOn;
    Animation m_click;
    std::optional<Animation> m_look;
    AnimatedValue *m_lit;
};

} // namespace velorinth
