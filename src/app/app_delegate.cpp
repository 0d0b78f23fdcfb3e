#include "app/app_delegate.h"

#include "app/open_main_window.h"
#include "engine/sleep_manager.h"

namespace velorinth {

AppDelegate::AppDelegate(QObject *parent)
    : QObject(parent)
{
}

void AppDelegate::setSleepManager(SleepManager *manager)
{
    m_manager = manager;
}

void AppDelegate::applicationWillTerminate()
{
    if (m_terminated || !m_manager)
        return;
    m_terminated = true;
    // The session cannot go on without the app; left running, a fade would keep the sound
    // low until the next start puts it back.
    if (m_manager->isActive())
        m_manager->stopTimer();
    m_manager->cleanup();
    m_manager->finishBackgroundWork(kLEDCommandWait);
}

bool AppDelegate::applicationShouldHandleReopen()
{
    openMainWindow();
    return false;
}

} // namespace velorinth
