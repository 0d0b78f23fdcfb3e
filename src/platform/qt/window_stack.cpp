#include "window_stack.h"

namespace velorinth {

void WindowStack::reset(const QList<Window> &bottomToTop)
{
    m_order = bottomToTop;
    m_shown.clear();
}

void WindowStack::add(Window window)
{
    m_order.removeOne(window);
    m_order.append(window);
}

void WindowStack::remove(Window window)
{
    m_order.removeOne(window);
    m_shown.remove(window);
    m_kinds.remove(window);
}

void WindowStack::placeAbove(Window window, Window sibling)
{
    m_order.removeOne(window);
    m_order.insert(m_order.indexOf(sibling) + 1, window); // the bottom when not found
}

void WindowStack::raise(Window window)
{
    if (m_order.removeOne(window))
        m_order.append(window);
}

void WindowStack::setShown(Window window, bool shown)
{
    if (shown)
        m_shown.insert(window);
    else
        m_shown.remove(window);
}

void WindowStack::setKind(Window window, Kind kind)
{
    if (kind == Kind::Other)
        m_kinds.remove(window);
    else
        m_kinds.insert(window, kind);
}

QList<WindowStack::Window> WindowStack::raisesNeeded() const
{
    QList<Window> shown;
    for (Window window : m_order) {
        if (m_shown.contains(window))
            shown.append(window);
    }
    qsizetype lowestOverlay = -1;
    qsizetype highestOverlay = -1;
    for (qsizetype i = 0; i < shown.size(); ++i) {
        if (kind(shown[i]) == Kind::Overlay) {
            lowestOverlay = lowestOverlay < 0 ? i : lowestOverlay;
            highestOverlay = i;
        }
    }
    if (lowestOverlay < 0)
        return {};
    bool covered = false;
    for (qsizetype i = lowestOverlay + 1; i < shown.size(); ++i)
        covered = covered || kind(shown[i]) == Kind::Other;

    QList<Window> raises;
    if (covered) {
        for (Window window : shown) {
            if (kind(window) == Kind::Overlay)
                raises.append(window);
        }
    }
    // Raised overlays lie above every bubble; otherwise only those under an overlay move.
    for (qsizetype i = 0; i < shown.size(); ++i) {
        if (kind(shown[i]) == Kind::Bubble && (covered || i < highestOverlay))
            raises.append(shown[i]);
    }
    return raises;
}

} // namespace velorinth
