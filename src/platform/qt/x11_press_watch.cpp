#include "x11_press_watch.h"

#include <QGuiApplication>

#if QT_CONFIG(xcb)
#include "xcb_reply.h"

#include <QList>
#include <QSet>
#include <QSocketNotifier>
#include <QWindow>

#include <xcb/xcb.h>
#include <xcb/xinput.h>

#include <cstdlib>
#include <cstring>
#include <optional>
#endif

namespace velorinth {

#if QT_CONFIG(xcb)

namespace {

// Left, middle and right: the wheel's turns come as buttons 4 to 7.
bool isPointerButton(uint32_t button)
{
    return button >= 1 && button <= 3;
}

bool hasExtension(xcb_connection_t *x, const char *name)
{
    const Reply<xcb_query_extension_reply_t> reply(xcb_query_extension_reply(
        x, xcb_query_extension(x, uint16_t(std::strlen(name)), name), nullptr));
    return reply && reply->present;
}

xcb_window_t rootOfScreen(xcb_connection_t *x, int screen)
{
    xcb_screen_iterator_t roots = xcb_setup_roots_iterator(xcb_get_setup(x));
    for (; roots.rem && screen > 0; --screen)
        xcb_screen_next(&roots);
    return roots.rem ? roots.data->root : XCB_NONE;
}

bool hasRawEvents(xcb_connection_t *x)
{
    const xcb_query_extension_reply_t *input = xcb_get_extension_data(x, &xcb_input_id);
    if (!input || !input->present)
        return false;
    const Reply<xcb_input_xi_query_version_reply_t> version(
        xcb_input_xi_query_version_reply(x, xcb_input_xi_query_version(x, 2, 2), nullptr));
    return version
        && (version->major_version > 2
            || (version->major_version == 2 && version->minor_version >= 2));
}

bool selectRawButtons(xcb_connection_t *x, xcb_window_t root)
{
    struct
    {
        xcb_input_event_mask_t head;
        uint32_t bits;
    } mask{{XCB_INPUT_DEVICE_ALL_MASTER, 1},
           XCB_INPUT_XI_EVENT_MASK_RAW_BUTTON_PRESS | XCB_INPUT_XI_EVENT_MASK_RAW_BUTTON_RELEASE};
    const Reply<xcb_generic_error_t> error(
        xcb_request_check(x, xcb_input_xi_select_events_checked(x, root, 1, &mask.head)));
    return !error;
}

} // namespace

struct X11PressWatch::Connection
{
    ~Connection()
    {
        notifier.reset();
        xcb_disconnect(x);
    }

    xcb_connection_t *x = nullptr;
    xcb_window_t root = XCB_NONE;
    uint8_t input = 0; // the extension's major opcode, which its events carry
    Reach reach = Reach::Nowhere;
    std::unique_ptr<QSocketNotifier> notifier;
};

X11PressWatch::X11PressWatch(QObject *parent)
    : PressWatch(parent)
{
}

X11PressWatch::~X11PressWatch() = default;

PressWatch::Reach X11PressWatch::start()
{
    if (m_x)
        return m_x->reach;
    if (!qGuiApp->nativeInterface<QNativeInterface::QX11Application>())
        return Reach::Nowhere;
    auto connection = std::make_unique<Connection>();
    int screen = 0;
    connection->x = xcb_connect(nullptr, &screen); // Qt's display too
    xcb_connection_t *x = connection->x;
    if (xcb_connection_has_error(x) || !hasRawEvents(x))
        return Reach::Nowhere;
    connection->root = rootOfScreen(x, screen);
    if (connection->root == XCB_NONE || !selectRawButtons(x, connection->root))
        return Reach::Nowhere;
    connection->input = xcb_get_extension_data(x, &xcb_input_id)->major_opcode;
    // XWayland hands its clients the presses made in its own windows alone.
    connection->reach = hasExtension(x, "XWAYLAND") ? Reach::X11ClientsOnly : Reach::Everywhere;
    connection->notifier =
        std::make_unique<QSocketNotifier>(xcb_get_file_descriptor(x), QSocketNotifier::Read);
    connect(connection->notifier.get(), &QSocketNotifier::activated, this,
            &X11PressWatch::readEvents);
    m_x = std::move(connection);
    return m_x->reach;
}

void X11PressWatch::stop()
{
    m_x.reset();
}

void X11PressWatch::readEvents()
{
    // All that came, first: a receiver may stop the watch. A press with its place, or a release.
    QList<std::optional<Place>> seen;
    while (xcb_generic_event_t *event = xcb_poll_for_event(m_x->x)) {
        const auto *raw = reinterpret_cast<const xcb_input_raw_button_press_event_t *>(event);
        if ((event->response_type & 0x7f) == XCB_GE_GENERIC && raw->extension == m_x->input
            && isPointerButton(raw->detail)) {
            if (raw->event_type == XCB_INPUT_RAW_BUTTON_PRESS)
                seen.append(placeUnderPointer());
            else if (raw->event_type == XCB_INPUT_RAW_BUTTON_RELEASE)
                seen.append(std::nullopt);
        }
        std::free(event);
    }
    const bool lost = xcb_connection_has_error(m_x->x);
    for (const std::optional<Place> &one : std::as_const(seen)) {
        if (!m_x)
            return;
        if (one)
            Q_EMIT pressed(*one);
        else
            Q_EMIT released();
    }
    if (lost)
        stop(); // the server went: its fd would wake the app for ever
}

PressWatch::Place X11PressWatch::placeUnderPointer() const
{
    QSet<xcb_window_t> own;
    const QWindowList windows = QGuiApplication::allWindows();
    for (const QWindow *window : windows) {
        if (window->handle())
            own.insert(xcb_window_t(window->winId()));
    }
    // Down from the root through the windows under the pointer: the frame that a window manager
    // puts around a window of the app holds it, and so does a tray that embeds the app's icon.
    for (xcb_window_t window = m_x->root; window != XCB_NONE;) {
        if (own.contains(window))
            return Place::InThisApp;
        const Reply<xcb_query_pointer_reply_t> pointer(
            xcb_query_pointer_reply(m_x->x, xcb_query_pointer(m_x->x, window), nullptr));
        if (!pointer || !pointer->same_screen)
            break;
        window = pointer->child;
    }
    return Place::Elsewhere;
}

#else

struct X11PressWatch::Connection
{ };

X11PressWatch::X11PressWatch(QObject *parent)
    : PressWatch(parent)
{
}
X11PressWatch::~X11PressWatch() = default;
PressWatch::Reach X11PressWatch::start()
{
    return Reach::Nowhere;
}
void X11PressWatch::stop() { }

#endif

} // namespace velorinth
