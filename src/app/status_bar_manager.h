#pragma once

#include "app/tray_image.h"
#include "platform/press_watch.h"

#include <QDateTime>
#include <QObject>
#include <QPointer>
#include <QSystemTrayIcon>

#include <functional>
#include <memory>
#include <optional>

namespace velorinth {

class Clock;
class GnomeStatusItem;
class PanelWindow;
class SleepManager;

// The app's place in the desktop's tray: an icon that shows the app while no session runs and
// the moon with the time left while one does, and the floating panel that a left click on it
// opens and closes, one click each, however the desktop delivers them. A press in another
// application closes the panel; where such presses go unseen, the app losing the focus does.
// It learns everything from the calls it gets; it never reads the model itself except to know
// whether a panel can open.
class StatusBarManager final : public QObject
{
    Q_OBJECT

public:
    // Puts the panel's content into a panel just built (a fresh one at each opening) and keeps
    // the panel sized to it.
    using PanelContent = std::function<void(PanelWindow &panel)>;

    StatusBarManager(const Clock &clock, PressWatch &presses, QObject *parent = nullptr);
    ~StatusBarManager() override;

    // Creates the tray icon the first time; later calls change nothing.
    void setup(SleepManager &manager, PanelContent content);
    // The running look with formattedTime ("29:59"), urgent or not; the idle one otherwise.
    void update(bool isActive, const QString &formattedTime, bool isUrgent);
    void openPanel();
    void closePanel();

    // Nothing before setup().
    [[nodiscard]] QSystemTrayIcon *trayIcon() const { return m_statusItem.get(); }
    [[nodiscard]] PanelWindow *panel() const;
    // A space and the time left while a session runs, else empty; the tooltip shows it.
    [[nodiscard]] QString title() const { return m_title; }
    [[nodiscard]] const TrayImage &image() const { return m_image; }

private:
    void show(const TrayImage &image, const QString &title);
    void handleClick(QSystemTrayIcon::ActivationReason reason);
    [[nodiscard]] bool isPanelOpen() const;
    void pressSeen(PressWatch::Place place);
    void releaseSeen();
    void applicationStateChanged(Qt::ApplicationState state);
    [[nodiscard]] bool closedByThisClick() const;
    void watchWhileNeeded();

    const Clock &m_clock;
    PressWatch &m_presses;
    PressWatch::Reach m_reach = PressWatch::Reach::Nowhere;
    std::unique_ptr<QSystemTrayIcon> m_statusItem;
    // In its place in GNOME Shell's top bar, where Qt's item would open the panel only on
    // double clicks.
    std::unique_ptr<GnomeStatusItem> m_gnomeItem;
    QPointer<PanelWindow> m_panel;
    QPointer<SleepManager> m_manager;
    PanelContent m_content;
    TrayImage m_image = TrayImage::idle();
    QString m_title;
    // Where the icon was when the panel last opened, and the click on it that closed the panel
    // from outside, until a new press: the icon may report it once the button has come up.
    QRect m_iconArea;
    struct Click
    {
        std::optional<QDateTime> releasedAt; // none while the button is down
    };
    std::optional<Click> m_closingClick;
};

} // namespace velorinth
