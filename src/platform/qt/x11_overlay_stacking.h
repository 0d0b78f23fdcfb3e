#pragma once

#include "window_stack.h"

#include <QObject>
#include <QSet>
#include <QtGui/qwindowdefs.h>

#include <memory>

class QSocketNotifier;
struct xcb_connection_t;

namespace velorinth {

// Keeps the shown darkening overlays above every other window and the notification server's
// bubbles above them, whatever maps or raises first. It follows the top-level windows through the
// X server's notices, on a connection of its own that is open only while an overlay is kept, and
// restacks only when the order is wrong: nothing is asked of the server at a tick of the
// darkening. A bubble is a window that bypasses the window manager and says it is a notification
// (dunst's and xfce4-notifyd's do).
class X11OverlayStacking final : public QObject
{
    Q_OBJECT

public:
    explicit X11OverlayStacking(QObject *parent = nullptr);
    ~X11OverlayStacking() override;

    // Outside X, or once the server has gone, nothing is kept: the overlay's owner then raises
    // it itself.
    void keep(WId overlay);
    void release(WId overlay);
    [[nodiscard]] bool keeps(WId overlay) const { return m_overlays.contains(overlay); }

private:
    [[nodiscard]] bool start();
    void stop();
    void takeSnapshot();
    void readNotices();
    void follow(const void *event); // an xcb event, whose type has no name to declare here
    [[nodiscard]] bool isBubble(uint32_t window);
    void restack();

    xcb_connection_t *m_connection = nullptr;
    uint32_t m_root = 0;
    uint32_t m_typeAtom = 0;
    uint32_t m_notificationAtom = 0;
    std::unique_ptr<QSocketNotifier> m_notices;
    QSet<WId> m_overlays;
    WindowStack m_stack;
};

} // namespace velorinth
