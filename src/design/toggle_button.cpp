#include "design/toggle_button.h"

#include "design/animated_change.h"
#include "design/animated_value.h"

namespace velorinth {

ToggleButton::ToggleButton(Binding<bool> isOn, const Animation &click,
                           std::optional<Animation> look, const QMarginsF &spill, QWidget *parent)
    : PlainButton([this] { toggle(); }, spill, parent)
    , m_isOn(std::move(isOn))
    , m_click(click)
    , m_look(look)
    , m_lit(AnimatedValue::repainting(m_isOn.get() ? 1.0 : 0.0, this))
{
    m_isOn.onChange(this, [this] { refresh(); });
}

double ToggleButton::lit() const
{
    return m_lit->value();
}

PaintCache::Key ToggleButton::lookKey() const
{
    return {lit()};
}

void ToggleButton::toggle()
{
    animated(m_click, [this] {
        m_isOn.set(!m_isOn.get());
        refresh(); // also when the binding announces nothing
    });
}

void ToggleButton::refresh()
{
    m_lit->animateTo(m_isOn.get() ? 1.0 : 0.0, m_look.value_or(currentAnimation()));
}

} // namespace velorinth
