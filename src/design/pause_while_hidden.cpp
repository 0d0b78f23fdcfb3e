#include "design/pause_while_hidden.h"

#include <QAbstractAnimation>
#include <QEvent>
#include <QWidget>

namespace velorinth {

void PauseWhileHidden::watch(QWidget *view, QAbstractAnimation *animation, Pause pause)
{
    auto *watcher = view->findChild<PauseWhileHidden *>(QString(), Qt::FindDirectChildrenOnly);
    if (!watcher)
        watcher = new PauseWhileHidden(view);
    watcher->m_animations.push_back({animation, pause});
    // One started while hidden is held at once, before its first frame.
    connect(animation, &QAbstractAnimation::stateChanged, watcher,
            [watcher, animation, pause](QAbstractAnimation::State state) {
                if (state == QAbstractAnimation::Running && !watcher->plays(pause))
                    animation->pause();
            });
    watcher->follow(watcher->m_animations.back());
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

bool PauseWhileHidden::isOnScreen() const
{
    return m_view->isVisible() && !m_view->window()->isMinimized();
}

bool PauseWhileHidden::plays(Pause pause) const
{
    if (!isOnScreen())
        return false;
    if (pause == Pause::OnlyWhileHidden)
        return true;
    const QWidget *window = m_view->window();
    // A window that never takes the focus (a floating panel) never becomes active.
    const bool canBeActive = !window->testAttribute(Qt::WA_ShowWithoutActivating)
        && !(window->windowFlags() & Qt::WindowDoesNotAcceptFocus);
    return window->isActiveWindow() || !canBeActive;
}

void PauseWhileHidden::follow(const Watched &watched)
{
    QAbstractAnimation *animation = watched.animation;
    const bool plays = this->plays(watched.pause);
    if (!plays && animation->state() == QAbstractAnimation::Running)
        animation->pause();
    else if (plays && animation->state() == QAbstractAnimation::Paused)
        animation->resume();
}

void PauseWhileHidden::update()
{
    std::erase_if(m_animations, [](const Watched &w) { return w.animation.isNull(); });
    for (const Watched &watched : m_animations)
        follow(watched);
}

} // namespace velorinth
