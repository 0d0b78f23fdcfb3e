#include "app/window_hide_delegate.h"

#include <QEvent>
#include <QWidget>

namespace velorinth {

WindowHideDelegate::WindowHideDelegate(QWidget *window, std::function<bool()> mayLiveOnHidden)
    : QObject(window)
    , m_window(window)
    , m_mayLiveOnHidden(std::move(mayLiveOnHidden))
{
    window->installEventFilter(this);
}

bool WindowHideDelegate::eventFilter(QObject *watched, QEvent *event)
{
    // Only the user's request, through the window manager, hides: the app's own closing of its
    // windows when it quits must go through, or quitting would stop there.
    if (watched != m_window || event->type() != QEvent::Close || !event->spontaneous())
        return false;
    event->ignore();
    m_window->hide();
    if (!m_mayLiveOnHidden())
        Q_EMIT quitRequested();
    return true;
}

} // namespace velorinth
