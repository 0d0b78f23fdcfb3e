#pragma once

#include "design/transition_host.h"

namespace velorinth {

class QuickStartGrid;
class ScheduleCard;
class SleepManager;

// The panel while no session runs: the daily time and a start button in scheduled mode,
// the four presets otherwise. A change of mode fades one into the other.
class MenuBarIdleView : public TransitionHost
{
    Q_OBJECT

public:
    explicit MenuBarIdleView(SleepManager &manager, QWidget *parent = nullptr);

private:
    void followMode();

    SleepManager &m_manager;
    ScheduleCard *m_schedule;
    QuickStartGrid *m_presets;
};

} // namespace velorinth
