#include "x11_requests.h"

#include <QGuiApplication>

#if QT_CONFIG(xcb)
#include "xcb_reply.h"

#include <xcb/shape.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <iterator>
#endif

namespace velorinth::X11Requests {

#if QT_CONFIG(xcb)

namespace {

xcb_connection_t *connection()
{
    auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}

// More top-level windows than any desktop has, and more monitors; a longer name than any window
// manager gives itself, in 32-bit units.
constexpr uint32_t kMaxWindows = 4096;
constexpr uint32_t kMaxMonitors = 16;
constexpr uint32_t kMaxNameLength = 64;

// The answer to a request, none when it failed. The error comes back here and goes: a window
// that went away between the question and the answer is no fault.
template<typename T, typename Cookie>
Reply<T> answer(xcb_connection_t *x, T *(*read)(xcb_connection_t *, Cookie, xcb_generic_error_t **),
                Cookie cookie)
{
    xcb_generic_error_t *error = nullptr;
    Reply<T> reply(read(x, cookie, &error));
    std::free(error);
    return reply;
}

// The atoms the requests name, interned once, all in one round trip.
enum Atom {
    ClientList,
    WindowType,
    Dock,
    Strut,
    StrutPartial,
    WorkArea,
    GtkWorkAreas,
    MotifHints,
    FrameExtents,
    Supported,
    MoveResize,
    Desktop,
    SupportingWmCheck,
    WmName,
    Utf8String
};
constexpr const char *kAtomNames[] = {
    "_NET_CLIENT_LIST",
    "_NET_WM_WINDOW_TYPE",
    "_NET_WM_WINDOW_TYPE_DOCK",
    "_NET_WM_STRUT",
    "_NET_WM_STRUT_PARTIAL",
    "_NET_WORKAREA",
    "_GTK_WORKAREAS_D0",
    "_MOTIF_WM_HINTS",
    "_GTK_FRAME_EXTENTS",
    "_NET_SUPPORTED",
    "_NET_WM_MOVERESIZE",
    "_NET_WM_DESKTOP",
    "_NET_SUPPORTING_WM_CHECK",
    "_NET_WM_NAME",
    "UTF8_STRING",
};
using Atoms = std::array<xcb_atom_t, std::size(kAtomNames)>;

const Atoms &atoms(xcb_connection_t *x)
{
    static const Atoms interned = [x] {
        std::array<xcb_intern_atom_cookie_t, std::size(kAtomNames)> asked{};
        for (std::size_t i = 0; i < asked.size(); ++i)
            asked[i] =
                xcb_intern_atom(x, false, uint16_t(std::strlen(kAtomNames[i])), kAtomNames[i]);
        Atoms found{};
        for (std::size_t i = 0; i < asked.size(); ++i) {
            const auto reply = answer(x, xcb_intern_atom_reply, asked[i]);
            found[i] = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
        }
        return found;
    }();
    return interned;
}

xcb_get_property_cookie_t askProperty(xcb_connection_t *x, xcb_window_t window, xcb_atom_t name,
                                      xcb_atom_t type, uint32_t length)
{
    return xcb_get_property(x, false, window, name, type, 0, length);
}

// A property's 32-bit values; none when the window lacks it or has gone.
QList<uint32_t> values(xcb_connection_t *x, xcb_get_property_cookie_t cookie)
{
    const auto reply = answer(x, xcb_get_property_reply, cookie);
    if (!reply || reply->format != 32)
        return {};
    const auto *data = static_cast<const uint32_t *>(xcb_get_property_value(reply.get()));
    return QList<uint32_t>(data, data + xcb_get_property_value_length(reply.get()) / 4);
}

// Rectangles written as x, y, width, height in a row.
QList<QRect> rectangles(const QList<uint32_t> &values)
{
    QList<QRect> found;
    for (qsizetype i = 0; i + 3 < values.size(); i += 4)
        found.append(
            QRect(int(values[i]), int(values[i + 1]), int(values[i + 2]), int(values[i + 3])));
    return found;
}

// The windows a bar can be: those the window manager lists as its clients (under a
// reparenting one, root's children are its frames) and root's children (all of them
// without a window manager).
QList<xcb_window_t> topLevelWindows(xcb_connection_t *x, xcb_window_t root)
{
    const auto clients = askProperty(x, root, atoms(x)[ClientList], XCB_ATOM_WINDOW, kMaxWindows);
    const auto tree = xcb_query_tree(x, root);
    QList<xcb_window_t> windows = values(x, clients);
    const auto children = answer(x, xcb_query_tree_reply, tree);
    if (!children)
        return windows;
    const xcb_window_t *child = xcb_query_tree_children(children.get());
    for (int i = 0; i < xcb_query_tree_children_length(children.get()); ++i) {
        if (!windows.contains(child[i]))
            windows.append(child[i]);
    }
    return windows;
}

// The strips that a window's struts keep, from the edges of a desktop of `size`: left,
// right, top and bottom widths, then with _NET_WM_STRUT_PARTIAL where each strip starts
// and ends along its edge (without, it runs along the whole edge).
QList<QRect> reservedStrips(const QList<uint32_t> &strut, QSize size)
{
    if (strut.size() < 4)
        return {};
    const bool partial = strut.size() >= 12;
    const auto along = [&](int index, int whole) {
        return partial ? std::pair(int(strut[index]), int(strut[index + 1]))
                       : std::pair(0, whole - 1);
    };
    const int w = size.width();
    const int h = size.height();
    const auto [leftFrom, leftTo] = along(4, h);
    const auto [rightFrom, rightTo] = along(6, h);
    const auto [topFrom, topTo] = along(8, w);
    const auto [bottomFrom, bottomTo] = along(10, w);
    const QRect strips[] = {
        QRect(QPoint(0, leftFrom), QPoint(int(strut[0]) - 1, leftTo)),
        QRect(QPoint(w - int(strut[1]), rightFrom), QPoint(w - 1, rightTo)),
        QRect(QPoint(topFrom, 0), QPoint(topTo, int(strut[2]) - 1)),
        QRect(QPoint(bottomFrom, h - int(strut[3])), QPoint(bottomTo, h - 1)),
    };
    QList<QRect> reserved;
    for (const QRect &strip : strips) {
        if (strip.isValid())
            reserved.append(strip);
    }
    return reserved;
}

xcb_window_t rootOf(xcb_connection_t *x)
{
    return xcb_setup_roots_iterator(xcb_get_setup(x)).data->root;
}

// What _NET_WM_MOVERESIZE asks of the window manager, in its first four fields.
void askToMove(xcb_connection_t *x, xcb_window_t window, const std::array<uint32_t, 4> &request)
{
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = window;
    message.type = atoms(x)[MoveResize];
    std::copy(request.begin(), request.end(), message.data.data32);
    message.data.data32[4] = 1; // from an application
    xcb_send_event(x, false, rootOf(x),
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char *>(&message));
    xcb_flush(x);
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
    const auto attributes =
        answer(x, xcb_get_window_attributes_reply, xcb_get_window_attributes(x, id));
    if (!attributes)
        return;
    const uint32_t events = attributes->your_event_mask & ~uint32_t(XCB_EVENT_MASK_PROPERTY_CHANGE);
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

void takePressesOnlyIn(WId window, const QRect &area)
{
    xcb_connection_t *x = connection();
    const xcb_query_extension_reply_t *shape =
        x ? xcb_get_extension_data(x, &xcb_shape_id) : nullptr;
    if (!shape || !shape->present)
        return;
    const xcb_rectangle_t rectangle{int16_t(area.x()), int16_t(area.y()), uint16_t(area.width()),
                                    uint16_t(area.height())};
    xcb_shape_rectangles(x, XCB_SHAPE_SO_SET, XCB_SHAPE_SK_INPUT, XCB_CLIP_ORDERING_UNSORTED,
                         xcb_window_t(window), 0, 0, 1, &rectangle);
}

WId inputFocus()
{
    xcb_connection_t *x = connection();
    const Reply<xcb_get_input_focus_reply_t> focus(
        x ? xcb_get_input_focus_reply(x, xcb_get_input_focus(x), nullptr) : nullptr);
    return focus ? focus->focus : 0;
}

void restoreInputFocus(WId focus)
{
    xcb_connection_t *x = connection();
    if (!x)
        return;
    // Checked: a window that went meanwhile is an error to drop, not one for Qt to report.
    const Reply<xcb_generic_error_t> refused(
        xcb_request_check(x,
                          xcb_set_input_focus_checked(x, XCB_INPUT_FOCUS_POINTER_ROOT,
                                                      xcb_window_t(focus), XCB_CURRENT_TIME)));
}

void keepSize(WId window)
{
    xcb_connection_t *x = connection();
    if (!x)
        return;
    // Motif's hints, which window managers still read: which of them are given, the functions
    // allowed (move, minimise, close), the decorations (none), two unused fields.
    constexpr uint32_t kFunctionsAndDecorations = 1 | 2;
    constexpr uint32_t kMoveMinimiseClose = 4 | 8 | 32;
    const uint32_t hints[] = {kFunctionsAndDecorations, kMoveMinimiseClose, 0, 0, 0};
    const xcb_atom_t name = atoms(x)[MotifHints];
    xcb_change_property(x, XCB_PROP_MODE_REPLACE, xcb_window_t(window), name, name, 32,
                        std::size(hints), hints);
}

void showOnEveryWorkspace(WId window)
{
    xcb_connection_t *x = connection();
    if (!x)
        return;
    const uint32_t everyWorkspace = 0xffffffff;
    xcb_change_property(x, XCB_PROP_MODE_REPLACE, xcb_window_t(window), atoms(x)[Desktop],
                        XCB_ATOM_CARDINAL, 32, 1, &everyWorkspace);
}

void setShadowExtents(WId window, const QMargins &extents)
{
    xcb_connection_t *x = connection();
    if (!x)
        return;
    const uint32_t sides[] = {uint32_t(extents.left()), uint32_t(extents.right()),
                              uint32_t(extents.top()), uint32_t(extents.bottom())};
    xcb_change_property(x, XCB_PROP_MODE_REPLACE, xcb_window_t(window), atoms(x)[FrameExtents],
                        XCB_ATOM_CARDINAL, 32, std::size(sides), sides);
}

bool startMove(WId window, QPoint sincePress)
{
    xcb_connection_t *x = connection();
    if (!x)
        return false;
    const auto supported =
        askProperty(x, rootOf(x), atoms(x)[Supported], XCB_ATOM_ATOM, kMaxWindows);
    const auto pointer = xcb_query_pointer(x, rootOf(x));
    const auto at = answer(x, xcb_query_pointer_reply, pointer);
    if (!values(x, supported).contains(atoms(x)[MoveResize]) || !at)
        return false;
    // The window manager takes the pointer, which the press gave the window.
    xcb_ungrab_pointer(x, XCB_CURRENT_TIME);
    constexpr uint32_t kMove = 8;
    constexpr uint32_t kLeftButton = 1;
    askToMove(x, xcb_window_t(window),
              {uint32_t(at->root_x - sincePress.x()), uint32_t(at->root_y - sincePress.y()), kMove,
               kLeftButton});
    return true;
}

void cancelMove(WId window)
{
    if (xcb_connection_t *x = connection()) {
        constexpr uint32_t kCancel = 11;
        askToMove(x, xcb_window_t(window), {0, 0, kCancel, 0});
    }
}

QString windowManagerName()
{
    xcb_connection_t *x = connection();
    if (!x)
        return {};
    const Atoms &atom = atoms(x);
    const QList<uint32_t> check =
        values(x, askProperty(x, rootOf(x), atom[SupportingWmCheck], XCB_ATOM_WINDOW, 1));
    if (check.isEmpty())
        return {};
    const auto name =
        answer(x, xcb_get_property_reply,
               askProperty(x, check.first(), atom[WmName], atom[Utf8String], kMaxNameLength));
    if (!name || name->format != 8)
        return {};
    return QString::fromUtf8(static_cast<const char *>(xcb_get_property_value(name.get())),
                             xcb_get_property_value_length(name.get()));
}

DesktopBars desktopBars()
{
    xcb_connection_t *x = connection();
    if (!x)
        return {};
    const Atoms &atom = atoms(x);
    const xcb_window_t root = rootOf(x);
    const auto desktop = answer(x, xcb_get_geometry_reply, xcb_get_geometry(x, root));
    if (!desktop)
        return {};
    const QSize size(desktop->width, desktop->height);

    // All questions first, then all answers: one round trip, not six per window.
    struct Questions
    {
        xcb_get_window_attributes_cookie_t attributes;
        xcb_get_property_cookie_t type, strut, strutPartial;
        xcb_get_geometry_cookie_t geometry;
        xcb_translate_coordinates_cookie_t origin;
    };
    // The first workspace's areas: bars show on every workspace.
    const auto workArea = askProperty(x, root, atom[WorkArea], XCB_ATOM_CARDINAL, 4);
    const auto gtkWorkAreas =
        askProperty(x, root, atom[GtkWorkAreas], XCB_ATOM_CARDINAL, 4 * kMaxMonitors);
    const QList<xcb_window_t> windows = topLevelWindows(x, root);
    QList<Questions> questions;
    for (xcb_window_t window : windows) {
        questions.append({xcb_get_window_attributes(x, window),
                          askProperty(x, window, atom[WindowType], XCB_ATOM_ATOM, 8),
                          askProperty(x, window, atom[Strut], XCB_ATOM_CARDINAL, 4),
                          askProperty(x, window, atom[StrutPartial], XCB_ATOM_CARDINAL, 12),
                          xcb_get_geometry(x, window),
                          xcb_translate_coordinates(x, window, root, 0, 0)});
    }
    DesktopBars found;
    found.desktopWorkArea = rectangles(values(x, workArea)).value(0);
    found.monitorWorkAreas = rectangles(values(x, gtkWorkAreas));
    for (const Questions &asked : std::as_const(questions)) {
        const auto attributes = answer(x, xcb_get_window_attributes_reply, asked.attributes);
        const bool isDock = values(x, asked.type).contains(atom[Dock]);
        const QList<uint32_t> partial = values(x, asked.strutPartial);
        const QList<uint32_t> whole = values(x, asked.strut);
        const auto geometry = answer(x, xcb_get_geometry_reply, asked.geometry);
        const auto origin = answer(x, xcb_translate_coordinates_reply, asked.origin);
        const QList<QRect> reserved = reservedStrips(partial.isEmpty() ? whole : partial, size);
        // Hidden windows keep no room, as window managers count it.
        if (!attributes || attributes->map_state != XCB_MAP_STATE_VIEWABLE || !geometry || !origin
            || (!isDock && reserved.isEmpty()))
            continue;
        found.bars.append(QRect(origin->dst_x, origin->dst_y, geometry->width, geometry->height));
        found.reserved.append(reserved);
    }
    return found;
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
void takePressesOnlyIn(WId, const QRect &) { }
WId inputFocus()
{
    return 0;
}
void restoreInputFocus(WId) { }
void keepSize(WId) { }
void showOnEveryWorkspace(WId) { }
void setShadowExtents(WId, const QMargins &) { }
bool startMove(WId, QPoint)
{
    return false;
}
void cancelMove(WId) { }
QString windowManagerName()
{
    return {};
}
DesktopBars desktopBars()
{
    return {};
}

#endif

} // namespace velorinth::X11Requests
