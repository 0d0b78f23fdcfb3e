#pragma once

#include "design/drifting_ground.h"

namespace velorinth {

// The panel's ground: two blurred circles of colour over black, and a few faint stars.
// The circles drift once the panel is on screen, and swap colours while a session runs.
class MenuBarBackground : public DriftingGround
{
    Q_OBJECT

public:
    explicit MenuBarBackground(bool isActive, QWidget *parent = nullptr);

    void setAnimate(bool animate);
    // With the panel's spring, whatever change brought it.
    void setActive(bool isActive);

private:
    bool m_isActive;
};

} // namespace velorinth
