#include "x11_requests.h"

#include <QGuiApplication>

#if QT_CONFIG(xcb)
#include <xcb/xcb.h>

#include <cstdlib>
#endif

namespace velorinth::X11Requests {

#if QT_CONFIG(xcb)

namespace {

xcb_connection_t *connection()
{
    auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}

} // namespace

void flush()
{
    if (xcb_connection_t *x = connection())
        xcb_flush(x);
}

void ignorePropertyChanges(WId window)
{
    xcb_connection_t *x = connection();
    if (!x)
        return;
    const auto id = xcb_window_t(window);
    xcb_get_window_attributes_reply_t *attributes =
        xcb_get_window_attributes_reply(x, xcb_get_window_attributes(x, id), nullptr);
    if (!attributes)
        return;
    const uint32_t events = attributes->your_event_mask & ~uint32_t(XCB_EVENT_MASK_PROPERTY_CHANGE);
    std::free(attributes);
    xcb_change_window_attributes(x, id, XCB_CW_EVENT_MASK, &events);
}

bool raiseWhenCovered(WId window)
{
    xcb_connection_t *x = connection();
    if (!x)
        return false;
    const uint32_t stacking = XCB_STACK_MODE_TOP_IF;
    xcb_configure_window(x, xcb_window_t(window), XCB_CONFIG_WINDOW_STACK_MODE, &stacking);
    xcb_flush(x);
    return true;
}

bool compositorRunning()
{
    xcb_connection_t *x = connection();
    if (!x)
        return false;
    // A compositor owns the selection _NET_WM_CM_S<n> of the X screen it composites; all
    // monitors are X screen 0 under RandR, where Qt puts its windows.
    const QByteArray name = "_NET_WM_CM_S0";
    xcb_intern_atom_reply_t *atom = xcb_intern_atom_reply(
        x, xcb_intern_atom(x, true, uint16_t(name.size()), name.constData()), nullptr);
    if (!atom)
        return false;
    xcb_get_selection_owner_reply_t *owner = atom->atom == XCB_NONE
        ? nullptr
        : xcb_get_selection_owner_reply(x, xcb_get_selection_owner(x, atom->atom), nullptr);
    const bool running = owner && owner->owner != XCB_NONE;
    std::free(owner);
    std::free(atom);
    return running;
}

#else

void flush() { }
void ignorePropertyChanges(WId) { }
bool raiseWhenCovered(WId)
{
    return false;
}
bool compositorRunning()
{
    return false;
}

#endif

} // namespace velorinth::X11Requests
