#include "app/velorinth_app.h"

#include "app/app_icon.h"
#include "app/main_window.h"
#include "app/open_main_window.h"
#include "app/panel_window.h"
#include "app/window_hide_delegate.h"
#include "main_window/content_view.h"
#include "menu_bar/menu_bar_view.h"

#include <QApplication>
#include <QEvent>

namespace velorinth {

VelorinthApp::VelorinthApp(Platform platform, QObject *parent)
    : QObject(parent)
    , m_platform(std::move(platform))
    , m_manager(m_platform)
    , m_statusBar(*m_platform.clock, *m_platform.presses)
{
    QApplication::setWindowIcon(AppIcon::icon());
    // The window's one content for the whole run: the launch plays once a run.
    auto *content = new ContentView(m_manager, ContentView::Launch::Play);
    m_window = std::make_unique<MainWindow>(content);
    content->installEventFilter(this);

    auto *hiding = new WindowHideDelegate(m_window.get(), [this] { return mayLiveOnHidden(); });
    connect(hiding, &WindowHideDelegate::quitRequested, this, &VelorinthApp::quit);
    connect(qApp, &QCoreApplication::aboutToQuit, &m_delegate,
            &AppDelegate::applicationWillTerminate);
    connect(&m_manager, &SleepManager::isActiveChanged, this, &VelorinthApp::pushStatus);
    connect(&m_manager, &SleepManager::timeRemainingChanged, this, [this] {
        if (m_manager.isActive())
            pushStatus();
    });
}

VelorinthApp::~VelorinthApp() = default;

void VelorinthApp::quit()
{
    // The panel goes first, and the watch on the desktop's presses with it.
    m_statusBar.closePanel();
    QCoreApplication::quit();
}

bool VelorinthApp::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_window->content() && event->type() == QEvent::Show)
        contentShown();
    return false;
}

bool VelorinthApp::mayLiveOnHidden() const
{
    // Without a tray (or while its host restarts) a hidden app is reached only by launching it
    // again; quitting instead would drop the session or the night's schedule, and the machine
    // would never sleep.
    return QSystemTrayIcon::isSystemTrayAvailable() || m_manager.isActive()
        || m_manager.isScheduleEnabled();
}

void VelorinthApp::contentShown()
{
    m_delegate.setSleepManager(&m_manager);
    m_statusBar.setup(m_manager, [this](PanelWindow &panel) { fillPanel(panel); });
}

void VelorinthApp::fillPanel(PanelWindow &panel)
{
    auto *view = new MenuBarView(m_manager, {openMainWindow, [this] { quit(); }});
    panel.setContent(view);
    connect(view, &MenuBarView::preferredSizeChanged, &panel, &PanelWindow::fitContent);
}

void VelorinthApp::pushStatus()
{
    m_statusBar.update(m_manager.isActive(), m_manager.formattedTimeRemaining(),
                       m_manager.isUrgent());
}

} // namespace velorinth
