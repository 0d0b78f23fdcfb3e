#pragma once

#include "main_window/launch_phase.h"

#include <QPointer>
#include <QWidget>

namespace velorinth {

class BackgroundView;
class ConfirmationOverlay;
class ErrorBanner;
class LaunchSplashView;
class MainButton;
class SleepManager;
class TransitionHost;

// The main window's content, 320 x 560: the drifting background, the header over the setup
// or running screen and the start/stop button, the launch splash when its maker asks for it,
// and the error banner above everything. It owns the keys of the whole application (Space and
// Return start or ask to stop, Left and Right take away or add five minutes) and the stop
// confirmation. Presses on its background are left to the window, which may move from them.
class ContentView : public QWidget
{
    Q_OBJECT

public:
    // Whether the launch plays when the content first shows: the app plays it once a run.
    enum class Launch { Play, Skip };

    ContentView(SleepManager &manager, Launch launch, QWidget *parent = nullptr);
    ~ContentView() override;

    [[nodiscard]] LaunchPhase launchPhase() const { return m_launchPhase; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    bool event(QEvent *event) override;

private:
    // The header, the screens' host and the main button, in the column that rises in once
    // the launch is done.
    void makeColumn();
    [[nodiscard]] QWidget *makeScreen(bool running);
    void startLaunchAnimation();
    void setLaunchPhase(LaunchPhase phase);
    void runShortcut(int key);
    void toggleTimer();
    void followSession();
    void followError();
    void fitBannerLayer();
    void followWindow();

    SleepManager &m_manager;
    LaunchPhase m_launchPhase;
    bool m_showsRunningScreen = false;
    BackgroundView *m_background;
    TransitionHost *m_columnHost;
    QWidget *m_column = nullptr;
    TransitionHost *m_screenHost = nullptr;
    MainButton *m_mainButton = nullptr;
    QPointer<LaunchSplashView> m_splash; // while the launch plays
    TransitionHost *m_bannerHost;
    QPointer<ErrorBanner> m_banner;
    ConfirmationOverlay *m_stopConfirmation;
};

} // namespace velorinth
