#include "menu_bar/menu_bar_idle_view.h"

#include "design/design_system.h"
#include "engine/sleep_manager.h"
#include "menu_bar/quick_start_grid.h"
#include "menu_bar/schedule_card.h"

namespace velorinth {

MenuBarIdleView::MenuBarIdleView(SleepManager &manager, QWidget *parent)
    : TransitionHost(parent)
    , m_manager(manager)
    , m_schedule(new ScheduleCard(manager))
    , m_presets(new QuickStartGrid(manager))
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    setView(manager.isScheduleEnabled() ? static_cast<QWidget *>(m_schedule) : m_presets,
            Transition::opacity(), Animation::none());
    // Once the model has finished changing: the time until the schedule comes after the
    // mode, and the card must show it as it fades in.
    connect(&manager, &SleepManager::isScheduleEnabledChanged, this, &MenuBarIdleView::followMode,
            Qt::QueuedConnection);
}

void MenuBarIdleView::followMode()
{
    QWidget *page = m_manager.isScheduleEnabled() ? static_cast<QWidget *>(m_schedule) : m_presets;
    if (page != view())
        setView(page, Transition::opacity(), DesignSystem::Animations::spring);
}

} // namespace velorinth
