#include "design/pause_while_hidden.h"

#include <QAbstractAnimation>
#include <QEvent>
#include <QWidget>

namespace velorinth {

void PauseWhileHidden::watch(QWidget *view, QAbstractAnimation *animation)
{
    auto *watcher = view->findChild<PauseWhileHidden *>(QString(), Qt::FindDirectChildrenOnly);
    if (!watcher)
        watcher = new PauseWhileHidden(view);
    watcher->m_animations.emplace_back(animation);
    // One started while hidden is held at once, before its first frame.
    connect(animation, &QAbstractAnimation::stateChanged, watcher,
            [watcher, animation](QAbstractAnimation::State state) {
                if (state == QAbstractAnimation::Running && !watcher->isSeen())
                    animation->pause();
            });
    watcher->follow(animation);
}

PauseWhileHidden::PauseWhileHidden(QWidget *view)
    : QObject(view)
    , m_view(view)
{
    view->installEventFilter(this);
    m_window = view->window();
    if (m_window != view)
        m_window->installEventFilter(this);
}

bool PauseWhileHidden::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::ParentChange:
        // Moved into another window: watch that one instead.
        if (watched == m_view && m_window != m_view->window()) {
            if (m_window && m_window != m_view)
                m_window->removeEventFilter(this);
            m_window = m_view->window();
            if (m_window != m_view)
                m_window->installEventFilter(this);
        }
        update();
        break;
    case QEvent::Show:
    case QEvent::Hide:
    case QEvent::WindowActivate:
    case QEvent::WindowDeactivate:
    case QEvent::WindowStateChange:
        update();
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

bool PauseWhileHidden::isSeen() const
{
    const QWidget *window = m_view->window();
    // A window that never takes the focus (a floating panel) never becomes active.
    const bool canBeActive = !window->testAttribute(Qt::WA_ShowWithoutActivating)
        && !(window->windowFlags() & Qt::WindowDoesNotAcceptFocus);
    return m_view->isVisible() && !window->isMinimized()
        && (window->isActiveWindow() || !canBeActive);
}

void PauseWhileHidden::follow(QAbstractAnimation *animation)
{
    const bool seen = isSeen();
    if (!seen && animation->state() == QAbstractAnimation::Running)
        animation->pause();
    else if (seen && animation->state() == QAbstractAnimation::Paused)
        animation->resume();
}

void PauseWhileHidden::update()
{
    std::erase_if(m_animations, [](const QPointer<QAbstractAnimation> &a) { return a.isNull(); });
    for (const QPointer<QAbstractAnimation> &animation : m_animations)
        follow(animation);
}

} // namespace velorinth
