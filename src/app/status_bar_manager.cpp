#include "app/status_bar_manager.h"

#include "app/gnome_status_item.h"
#include "app/panel_window.h"
#include "engine/sleep_manager.h"
#include "platform/clock.h"

#include <QCursor>
#include <QGuiApplication>
#include <QStyleHints>

namespace velorinth {

namespace {

// A StatusNotifierItem host reports a click on the icon once the button has come up, after the
// press on it, a press in another application, has closed the panel: a report while that button
// is down or within a double click's time after it came up is the same click. Without the icon's
// geometry the pointer at the opening stands for it, this far around.
constexpr int kIconReach = 48;

} // namespace

StatusBarManager::StatusBarManager(const Clock &clock, PressWatch &presses, QObject *parent)
    : QObject(parent)
    , m_clock(clock)
    , m_presses(presses)
{
    connect(&m_presses, &PressWatch::pressed, this, &StatusBarManager::pressSeen);
    connect(&m_presses, &PressWatch::released, this, &StatusBarManager::releaseSeen);
    connect(qGuiApp, &QGuiApplication::applicationStateChanged, this,
            &StatusBarManager::applicationStateChanged);
}

StatusBarManager::~StatusBarManager()
{
    m_closingClick.reset();
    closePanel();
}

PanelWindow *StatusBarManager::panel() const
{
    return m_panel;
}

void StatusBarManager::setup(SleepManager &manager, PanelContent content)
{
    if (m_statusItem)
        return;
    m_manager = &manager;
    m_content = std::move(content);
    m_statusItem = std::make_unique<QSystemTrayIcon>();
    connect(m_statusItem.get(), &QSystemTrayIcon::activated, this, &StatusBarManager::handleClick);
    show(TrayImage::idle(), {});
    if (GnomeStatusItem::hostedByGnomeShell())
        m_gnomeItem = std::make_unique<GnomeStatusItem>(*m_statusItem);
    else
        m_statusItem->show();
}

void StatusBarManager::update(bool isActive, const QString &formattedTime, bool isUrgent)
{
    if (!m_statusItem)
        return;
    if (isActive)
        show(TrayImage::running(formattedTime, isUrgent), QLatin1Char(' ') + formattedTime);
    else
        show(TrayImage::idle(), {});
}

void StatusBarManager::show(const TrayImage &image, const QString &title)
{
    // Whole minutes change the picture once a minute: spare the tray a repaint each second.
    if (image != m_image || m_statusItem->icon().isNull())
        m_statusItem->setIcon(image.icon());
    m_image = image;
    m_title = title;
    m_statusItem->setToolTip(QStringLiteral("Velorinth") + title);
    if (m_gnomeItem)
        m_gnomeItem->refresh();
}

void StatusBarManager::handleClick(QSystemTrayIcon::ActivationReason reason)
{
    // A second left click soon after the first comes as a double click: a click all the same.
    // The right button does nothing.
    if (reason != QSystemTrayIcon::Trigger && reason != QSystemTrayIcon::DoubleClick)
        return;
    const bool alreadyClosed = closedByThisClick();
    m_closingClick.reset();
    if (alreadyClosed)
        watchWhileNeeded();
    else if (isPanelOpen())
        closePanel();
    else
        openPanel();
}

bool StatusBarManager::isPanelOpen() const
{
    return m_panel && m_panel->isVisible();
}

void StatusBarManager::openPanel()
{
    if (!m_manager || !m_statusItem)
        return;
    closePanel(); // one the desktop hid behind our back: never two
    // Trays that speak D-Bus give no geometry; the pointer is on the icon at the click.
    const QRect icon = m_statusItem->geometry();
    const QRect anchor = icon.isValid() ? icon : QRect(QCursor::pos(), QSize(1, 1));
    m_iconArea =
        icon.isValid() ? icon : anchor.adjusted(-kIconReach, -kIconReach, kIconReach, kIconReach);
    m_closingClick.reset();
    auto *panel = new PanelWindow(anchor);
    connect(panel, &PanelWindow::closed, this, [this, panel] {
        if (m_panel == panel)
            m_panel = nullptr;
        watchWhileNeeded();
    });
    m_content(*panel);
    m_panel = panel;
    m_reach = m_presses.start();
    panel->show();
}

void StatusBarManager::pressSeen(PressWatch::Place place)
{
    // A new press is a new click: the icon's next report is its own.
    m_closingClick.reset();
    if (place == PressWatch::Place::Elsewhere && isPanelOpen()) {
        // A tray takes no focus; anything else pressed takes it as the desktop gives it.
        if (m_iconArea.contains(QCursor::pos())) {
            m_closingClick = Click{};
            closePanel();
        } else {
            m_panel->closeOnPressElsewhere();
        }
    }
    watchWhileNeeded();
}

void StatusBarManager::releaseSeen()
{
    if (m_closingClick && !m_closingClick->releasedAt)
        m_closingClick->releasedAt = m_clock.now();
}

void StatusBarManager::applicationStateChanged(Qt::ApplicationState state)
{
    // Where presses in other applications go unseen, the focus that they take away tells of
    // them. Such a press, wherever it fell, may have been on the icon, whose report follows.
    if (state == Qt::ApplicationActive || m_reach == PressWatch::Reach::Everywhere
        || !isPanelOpen())
        return;
    m_closingClick = Click{m_clock.now()};
    closePanel();
}

bool StatusBarManager::closedByThisClick() const
{
    if (!m_closingClick)
        return false;
    const std::optional<QDateTime> &up = m_closingClick->releasedAt;
    return !up
        || up->msecsTo(m_clock.now()) <= QGuiApplication::styleHints()->mouseDoubleClickInterval();
}

void StatusBarManager::watchWhileNeeded()
{
    // While the panel is open, and until the icon has reported the click that closed it: any
    // other click on the desktop would wake the app for nothing.
    if (!isPanelOpen() && !m_closingClick)
        m_presses.stop();
}

void StatusBarManager::closePanel()
{
    if (m_panel)
        m_panel->close(); // deletes it
    m_panel = nullptr;
    watchWhileNeeded();
}

} // namespace velorinth
