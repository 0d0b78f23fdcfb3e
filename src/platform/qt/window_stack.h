#pragma once

#include <QHash>
#include <QList>
#include <QSet>

#include <cstdint>

namespace velorinth {

// The top-level windows of an X screen, bottom to top, as the server's notices describe them, and
// what the darkening asks of their order: the overlays above every other shown window, the
// notification server's bubbles above the overlays, so that its warning stays readable.
class WindowStack
{
public:
    using Window = uint32_t;
    enum class Kind { Other, Overlay, Bubble };

    void reset(const QList<Window> &bottomToTop);
    // Created, or given to the root window: on top.
    void add(Window window);
    // Destroyed, or taken from the root window: forgotten.
    void remove(Window window);
    // Restacked just above `sibling`, or at the bottom when the server names none (0).
    void placeAbove(Window window, Window sibling);
    void raise(Window window);
    void setShown(Window window, bool shown);
    void setKind(Window window, Kind kind);

    // The windows to raise to the top, in this order, so that the shown overlays cover every
    // other shown window and the shown bubbles lie above them; none when they already do.
    [[nodiscard]] QList<Window> raisesNeeded() const;

private:
    [[nodiscard]] Kind kind(Window window) const { return m_kinds.value(window, Kind::Other); }

    QList<Window> m_order;
    QSet<Window> m_shown;
    QHash<Window, Kind> m_kinds;
};

} // namespace velorinth
