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

// A press on the icon while the panel shows goes to the panel, which holds the pointer, and
// closes it; a tray host that sees the button come up then activates the icon all the same.
// An activation that soon after a press that near the icon (within a double click's time, so
// that a new click would have been a double click) is that same click.
constexpr int kIconReach = 48;

} // namespace

StatusBarManager::StatusBarManager(const Clock &clock, QObject *parent)
    : QObject(parent)
    , m_clock(clock)
{
}

StatusBarManager::~StatusBarManager()
{
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
    forgetClosingPress();
    if (alreadyClosed)
        return;
    if (m_panel && m_panel->isVisible())
        closePanel();
    else
        openPanel();
}

void StatusBarManager::openPanel()
{
    if (!m_manager || !m_statusItem)
        return;
    closePanel(); // one the desktop hid behind our back: never two, each with its own grab
    // Trays that speak D-Bus give no geometry; the pointer is on the icon at the click.
    const QRect icon = m_statusItem->geometry();
    const QRect anchor = icon.isValid() ? icon : QRect(QCursor::pos(), QSize(1, 1));
    m_iconArea =
        icon.isValid() ? icon : anchor.adjusted(-kIconReach, -kIconReach, kIconReach, kIconReach);
    forgetClosingPress();
    auto *panel = new PanelWindow(anchor);
    connect(panel, &PanelWindow::pressedOutside, this, &StatusBarManager::panelPressedOutside);
    m_content(*panel);
    panel->show();
    m_panel = panel;
}

void StatusBarManager::panelPressedOutside(QPoint where)
{
    m_closingPress = Press{where, m_clock.now()};
    qApp->installEventFilter(this);
}

void StatusBarManager::forgetClosingPress()
{
    if (m_closingPress)
        qApp->removeEventFilter(this);
    m_closingPress.reset();
}

bool StatusBarManager::eventFilter(QObject *, QEvent *event)
{
    // A new press that reaches the app, as one on an embedded (XEmbed) tray icon does: the
    // activation that follows is a click of its own. Qt's replay of the closing press to the
    // window under it is posted, not spontaneous.
    const bool press =
        event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick;
    if (press && event->spontaneous())
        forgetClosingPress();
    return false;
}

bool StatusBarManager::closedByThisClick() const
{
    return m_closingPress && m_iconArea.contains(m_closingPress->where)
        && m_closingPress->when.msecsTo(m_clock.now())
        <= QGuiApplication::styleHints()->mouseDoubleClickInterval();
}

void StatusBarManager::closePanel()
{
    if (m_panel)
        m_panel->dismiss(); // deletes it
    m_panel = nullptr;
}

} // namespace velorinth
