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

#else

void flush() { }
void ignorePropertyChanges(WId) { }
bool raiseWhenCovered(WId)
{
    return false;
}

#endif

} // namespace velorinth::X11Requests
