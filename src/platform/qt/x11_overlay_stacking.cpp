#include "x11_overlay_stacking.h"

#include <QGuiApplication>
#include <QSocketNotifier>

#if QT_CONFIG(xcb)
#include "xcb_reply.h"

#include <xcb/xcb.h>

#include <algorithm>
#include <cstdlib>
#endif

namespace velorinth {

X11OverlayStacking::X11OverlayStacking(QObject *parent)
    : QObject(parent)
{
}

X11OverlayStacking::~X11OverlayStacking()
{
    stop();
}

#if QT_CONFIG(xcb)

namespace {

bool onX11()
{
    return qGuiApp && qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
}

xcb_intern_atom_cookie_t askAtom(xcb_connection_t *x, const QByteArray &name)
{
    return xcb_intern_atom(x, false, uint16_t(name.size()), name.constData());
}

xcb_atom_t atom(xcb_connection_t *x, xcb_intern_atom_cookie_t cookie)
{
    const Reply<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(x, cookie, nullptr));
    return reply ? reply->atom : XCB_NONE;
}

// More of a window's types than any window names.
constexpr uint32_t kMaxTypes = 16;

} // namespace

void X11OverlayStacking::keep(WId overlay)
{
    if (!onX11() || (!m_connection && !start()))
        return;
    m_overlays.insert(overlay);
    m_stack.setKind(WindowStack::Window(overlay), WindowStack::Kind::Overlay);
    restack();
}

void X11OverlayStacking::release(WId overlay)
{
    if (!m_overlays.remove(overlay))
        return;
    m_stack.setKind(WindowStack::Window(overlay), WindowStack::Kind::Other);
    if (m_overlays.isEmpty())
        stop();
}

bool X11OverlayStacking::start()
{
    int screenNumber = 0;
    m_connection = xcb_connect(nullptr, &screenNumber); // the display Qt took, from DISPLAY
    if (xcb_connection_has_error(m_connection)) {
        stop();
        return false;
    }
    auto screens = xcb_setup_roots_iterator(xcb_get_setup(m_connection));
    for (int i = 0; i < screenNumber && screens.rem > 0; ++i)
        xcb_screen_next(&screens);
    m_root = screens.data->root;
    const auto type = askAtom(m_connection, "_NET_WM_WINDOW_TYPE");
    const auto notification = askAtom(m_connection, "_NET_WM_WINDOW_TYPE_NOTIFICATION");
    m_typeAtom = atom(m_connection, type);
    m_notificationAtom = atom(m_connection, notification);
    const uint32_t events = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(m_connection, m_root, XCB_CW_EVENT_MASK, &events);
    takeSnapshot();
    m_notices = std::make_unique<QSocketNotifier>(xcb_get_file_descriptor(m_connection),
                                                  QSocketNotifier::Read);
    connect(m_notices.get(), &QSocketNotifier::activated, this, &X11OverlayStacking::readNotices);
    readNotices(); // those that came in during the snapshot's questions
    return m_connection != nullptr;
}

void X11OverlayStacking::stop()
{
    m_notices.reset();
    if (m_connection)
        xcb_disconnect(m_connection);
    m_connection = nullptr;
    m_overlays.clear();
    m_stack = WindowStack();
}

// The root's children in their order now, and which of them show and are bubbles. Notices
// received before the answer describe changes the answer already holds.
void X11OverlayStacking::takeSnapshot()
{
    const Reply<xcb_query_tree_reply_t> tree(
        xcb_query_tree_reply(m_connection, xcb_query_tree(m_connection, m_root), nullptr));
    while (xcb_generic_event_t *stale = xcb_poll_for_queued_event(m_connection))
        std::free(stale);
    if (!tree)
        return;
    const xcb_window_t *children = xcb_query_tree_children(tree.get());
    const QList<xcb_window_t> windows(children,
                                      children + xcb_query_tree_children_length(tree.get()));
    m_stack.reset(windows); // the server lists them bottom to top
    QList<xcb_get_window_attributes_cookie_t> questions;
    for (xcb_window_t window : windows)
        questions.append(xcb_get_window_attributes(m_connection, window));
    for (qsizetype i = 0; i < windows.size(); ++i) {
        const Reply<xcb_get_window_attributes_reply_t> attributes(
            xcb_get_window_attributes_reply(m_connection, questions[i], nullptr));
        if (!attributes || attributes->map_state == XCB_MAP_STATE_UNMAPPED)
            continue;
        m_stack.setShown(windows[i], true);
        if (attributes->override_redirect && isBubble(windows[i]))
            m_stack.setKind(windows[i], WindowStack::Kind::Bubble);
    }
}

void X11OverlayStacking::readNotices()
{
    while (m_connection) {
        xcb_generic_event_t *event = xcb_poll_for_event(m_connection);
        if (!event)
            break;
        follow(event);
        std::free(event);
    }
    if (m_connection && xcb_connection_has_error(m_connection)) {
        stop(); // the server went away
        return;
    }
    restack();
}

void X11OverlayStacking::follow(const void *notice)
{
    const auto *event = static_cast<const xcb_generic_event_t *>(notice);
    switch (event->response_type & 0x7f) {
    case XCB_CREATE_NOTIFY: {
        const auto *created = reinterpret_cast<const xcb_create_notify_event_t *>(event);
        if (created->parent == m_root)
            m_stack.add(created->window);
        break;
    }
    case XCB_DESTROY_NOTIFY:
        m_stack.remove(reinterpret_cast<const xcb_destroy_notify_event_t *>(event)->window);
        break;
    case XCB_REPARENT_NOTIFY: {
        const auto *moved = reinterpret_cast<const xcb_reparent_notify_event_t *>(event);
        if (moved->parent == m_root)
            m_stack.add(moved->window);
        else
            m_stack.remove(moved->window);
        break;
    }
    case XCB_CONFIGURE_NOTIFY: {
        const auto *configured = reinterpret_cast<const xcb_configure_notify_event_t *>(event);
        if (configured->event == m_root)
            m_stack.placeAbove(configured->window, configured->above_sibling);
        break;
    }
    case XCB_CIRCULATE_NOTIFY: {
        const auto *circulated = reinterpret_cast<const xcb_circulate_notify_event_t *>(event);
        if (circulated->place == XCB_PLACE_ON_TOP)
            m_stack.raise(circulated->window);
        else
            m_stack.placeAbove(circulated->window, XCB_NONE);
        break;
    }
    case XCB_MAP_NOTIFY: {
        const auto *mapped = reinterpret_cast<const xcb_map_notify_event_t *>(event);
        m_stack.setShown(mapped->window, true);
        if (!m_overlays.contains(mapped->window))
            m_stack.setKind(mapped->window,
                            mapped->override_redirect && isBubble(mapped->window)
                                ? WindowStack::Kind::Bubble
                                : WindowStack::Kind::Other);
        break;
    }
    case XCB_UNMAP_NOTIFY:
        m_stack.setShown(reinterpret_cast<const xcb_unmap_notify_event_t *>(event)->window, false);
        break;
    default:
        break;
    }
}

bool X11OverlayStacking::isBubble(uint32_t window)
{
    const Reply<xcb_get_property_reply_t> types(xcb_get_property_reply(
        m_connection,
        xcb_get_property(m_connection, false, window, m_typeAtom, XCB_ATOM_ATOM, 0, kMaxTypes),
        nullptr));
    if (!types || types->format != 32)
        return false;
    const auto *atoms = static_cast<const xcb_atom_t *>(xcb_get_property_value(types.get()));
    const int count = xcb_get_property_value_length(types.get()) / 4;
    return std::find(atoms, atoms + count, m_notificationAtom) != atoms + count;
}

// Only windows that bypass the window manager are raised, so each raise takes effect as asked
// and the picture can follow it at once; its notice, when it comes back, changes nothing more.
void X11OverlayStacking::restack()
{
    if (!m_connection)
        return;
    const QList<WindowStack::Window> raises = m_stack.raisesNeeded();
    const uint32_t onTop = XCB_STACK_MODE_ABOVE;
    for (WindowStack::Window window : raises) {
        xcb_configure_window(m_connection, window, XCB_CONFIG_WINDOW_STACK_MODE, &onTop);
        m_stack.raise(window);
    }
    if (!raises.isEmpty())
        xcb_flush(m_connection);
}

#else

void X11OverlayStacking::keep(WId) { }
void X11OverlayStacking::release(WId) { }
void X11OverlayStacking::stop() { }

#endif

} // namespace velorinth
