#pragma once

#include "design/drifting_ground.h"

namespace velorinth {

// The main window's ground: three large blurred orbs of colour that drift back and forth
// and a faint star field while the window is active, all still and starless otherwise.
class BackgroundView : public DriftingGround
{
    Q_OBJECT

public:
    // Inactive until told otherwise.
    explicit BackgroundView(QWidget *parent = nullptr);

    // Active: the drift starts over from the orbs' first places and the stars come in.
    // Inactive: the orbs are back at their first places at once, the stars leave, and
    // nothing ticks.
    void setActive(bool active, const Animation &animation = currentAnimation());
    [[nodiscard]] bool isActive() const { return m_active; }

private:
    bool m_active = false;
};

} // namespace velorinth
