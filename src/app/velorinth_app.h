#pragma once

#include "app/app_delegate.h"
#include "app/status_bar_manager.h"
#include "engine/sleep_manager.h"
#include "platform/platform.h"

#include <QObject>

#include <memory>

namespace velorinth {

class MainWindow;

// The app as a whole: owns the services, the one SleepManager for the whole run, the main
// window around its content, the tray and the delegate that handles quitting and reopening.
// The tray follows every value the manager publishes; it appears when the window's content
// is first shown.
class VelorinthApp final : public QObject
{
    Q_OBJECT

public:
    explicit VelorinthApp(Platform platform, QObject *parent = nullptr);
    ~VelorinthApp() override;

    [[nodiscard]] SleepManager &sleepManager() { return m_manager; }
    [[nodiscard]] AppDelegate &delegate() { return m_delegate; }
    [[nodiscard]] StatusBarManager &statusBar() { return m_statusBar; }
    [[nodiscard]] MainWindow &mainWindow() { return *m_window; }

    // Every quit of the app comes here: the panel's button, a signal, a close without a tray.
    void quit();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Whether closing the window may only hide it rather than quit.
    [[nodiscard]] bool mayLiveOnHidden() const;
    void contentShown();
    void fillPanel(PanelWindow &panel);
    // The tray follows the session: its image, the time drawn in and the urgent look.
    void pushStatus();

    Platform m_platform;
    SleepManager m_manager;
    AppDelegate m_delegate;
    StatusBarManager m_statusBar; // after the manager: its panel observes it
    std::unique_ptr<MainWindow> m_window; // last: its content observes the manager
};

} // namespace velorinth
