#include "app/status_bar_manager.h"

#include "app/panel_window.h"
#include "engine/sleep_manager.h"

#include <QCursor>

namespace velorinth {

StatusBarManager::StatusBarManager(QObject *parent)
    : QObject(parent)
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
}

void StatusBarManager::handleClick(QSystemTrayIcon::ActivationReason reason)
{
    // A second left click soon after the first comes as a double click: a click all the same.
    // The right button does nothing.
    if (reason != QSystemTrayIcon::Trigger && reason != QSystemTrayIcon::DoubleClick)
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
    auto *panel = new PanelWindow(anchor);
    m_content(*panel);
    panel->show();
    m_panel = panel;
}

void StatusBarManager::closePanel()
{
    if (m_panel)
        m_panel->close(); // deletes it
    m_panel = nullptr;
}

} // namespace velorinth
