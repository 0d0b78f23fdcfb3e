#pragma once

#include "app/tray_image.h"

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
// opens and closes, one click each, however the desktop delivers them. It learns everything from
// the calls it gets; it never reads the model itself except to know whether a panel can open.
class StatusBarManager final : public QObject
{
    Q_OBJECT

public:
    // Puts the panel's content into a panel just built (a fresh one at each opening) and keeps
    // the panel sized to it.
    using PanelContent = std::function<void(PanelWindow &panel)>;

    explicit StatusBarManager(const Clock &clock, QObject *parent = nullptr);
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

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void show(const TrayImage &image, const QString &title);
    void handleClick(QSystemTrayIcon::ActivationReason reason);
    void panelPressedOutside(QPoint where);
    void forgetClosingPress();
    [[nodiscard]] bool closedByThisClick() const;

    const Clock &m_clock;
    std::unique_ptr<QSystemTrayIcon> m_statusItem;
    // In its place in GNOME Shell's top bar, where Qt's item would open the panel only on
    // double clicks.
    std::unique_ptr<GnomeStatusItem> m_gnomeItem;
    QPointer<PanelWindow> m_panel;
    QPointer<SleepManager> m_manager;
    PanelContent m_content;
    TrayImage m_image = TrayImage::idle();
    QString m_title;
    // Where the icon was when the panel last opened, and the press outside the panel that
    // closed it, while its click may still reach the icon.
    QRect m_iconArea;
    struct Press
    {
        QPoint where;
        QDateTime when;
    };
    std::optional<Press> m_closingPress;
};

} // namespace velorinth
