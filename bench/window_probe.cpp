// Watches a program from the X server's side, for the process budget script:
//   window_probe launch <program> [args…]  starts it, prints "<pid> <ms>": the time from the
//                                          start to the first picture its window draws
//   window_probe close <pid>               asks that process's windows to close, as a window
//                                          manager's close button does
// The program is left running. The first picture is the first damage the X server reports on
// a top-level window made after the start whose _NET_WM_PID is the program's, or that names
// no process (older toolkits set none).
#include <xcb/damage.h>
#include <xcb/xcb.h>

#include <poll.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
constexpr auto kLimit = std::chrono::seconds(20);

xcb_atom_t atom(xcb_connection_t *x, const char *name)
{
    std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> reply(
        xcb_intern_atom_reply(x, xcb_intern_atom(x, 0, std::strlen(name), name), nullptr),
        &std::free);
    return reply ? reply->atom : XCB_NONE;
}

long pidOf(xcb_connection_t *x, xcb_window_t window)
{
    std::unique_ptr<xcb_get_property_reply_t, decltype(&std::free)> reply(
        xcb_get_property_reply(
            x, xcb_get_property(x, 0, window, atom(x, "_NET_WM_PID"), XCB_ATOM_CARDINAL, 0, 1),
            nullptr),
        &std::free);
    if (!reply || xcb_get_property_value_length(reply.get()) != 4)
        return -1;
    return *static_cast<uint32_t *>(xcb_get_property_value(reply.get()));
}

std::vector<xcb_window_t> topLevels(xcb_connection_t *x, xcb_window_t root)
{
    std::unique_ptr<xcb_query_tree_reply_t, decltype(&std::free)> tree(
        xcb_query_tree_reply(x, xcb_query_tree(x, root), nullptr), &std::free);
    if (!tree)
        return {};
    const xcb_window_t *children = xcb_query_tree_children(tree.get());
    return {children, children + xcb_query_tree_children_length(tree.get())};
}

int launch(xcb_connection_t *x, xcb_window_t root, char **command)
{
    const xcb_query_extension_reply_t *damage = xcb_get_extension_data(x, &xcb_damage_id);
    if (!damage || !damage->present) {
        std::fprintf(stderr, "no Damage extension\n");
        return 1;
    }
    std::free(xcb_damage_query_version_reply(x, xcb_damage_query_version(x, 1, 1), nullptr));
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(x, root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(x);

    const Clock::time_point start = Clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        const int quiet = open("/dev/null", O_WRONLY);
        dup2(quiet, STDOUT_FILENO);
        dup2(quiet, STDERR_FILENO);
        setsid(); // outlives this probe
        execvp(command[0], command);
        _exit(127);
    }
    pollfd events{xcb_get_file_descriptor(x), POLLIN, 0};
    while (Clock::now() - start < kLimit) {
        xcb_generic_event_t *event = xcb_poll_for_event(x);
        if (!event) {
            poll(&events, 1, 50);
            continue;
        }
        const uint8_t type = event->response_type & 0x7f;
        if (type == XCB_CREATE_NOTIFY) {
            // Watch every new top-level window from its birth, so no first picture is missed.
            const auto *created = reinterpret_cast<xcb_create_notify_event_t *>(event);
            xcb_damage_create(x, xcb_generate_id(x), created->window,
                              XCB_DAMAGE_REPORT_LEVEL_NON_EMPTY);
            xcb_flush(x);
        } else if (type == damage->first_event + XCB_DAMAGE_NOTIFY) {
            const auto *damaged = reinterpret_cast<xcb_damage_notify_event_t *>(event);
            const long owner = pidOf(x, damaged->drawable);
            if (owner == pid || owner == -1) {
                const auto ms = std::chrono::duration<double, std::milli>(Clock::now() - start);
                std::printf("%d %.1f\n", pid, ms.count());
                std::free(event);
                return 0;
            }
        }
        std::free(event);
    }
    std::printf("%d -1\n", pid);
    return 2;
}

int close(xcb_connection_t *x, xcb_window_t root, long pid)
{
    int closed = 0;
    for (const xcb_window_t window : topLevels(x, root)) {
        if (pidOf(x, window) != pid)
            continue;
        std::unique_ptr<xcb_get_window_attributes_reply_t, decltype(&std::free)> attributes(
            xcb_get_window_attributes_reply(x, xcb_get_window_attributes(x, window), nullptr),
            &std::free);
        if (!attributes || attributes->map_state != XCB_MAP_STATE_VIEWABLE)
            continue;
        xcb_client_message_event_t message{};
        message.response_type = XCB_CLIENT_MESSAGE;
        message.format = 32;
        message.window = window;
        message.type = atom(x, "WM_PROTOCOLS");
        message.data.data32[0] = atom(x, "WM_DELETE_WINDOW");
        message.data.data32[1] = XCB_CURRENT_TIME;
        xcb_send_event(x, 0, window, XCB_EVENT_MASK_NO_EVENT,
                       reinterpret_cast<const char *>(&message));
        ++closed;
    }
    xcb_flush(x);
    std::printf("%d\n", closed);
    return closed > 0 ? 0 : 2;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: window_probe launch <program> [args…] | close <pid>\n");
        return 1;
    }
    xcb_connection_t *x = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(x)) {
        std::fprintf(stderr, "no X display\n");
        return 1;
    }
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(x)).data->root;
    const std::string mode = argv[1];
    const int status = mode == "launch" ? launch(x, root, argv + 2)
                                        : close(x, root, std::strtol(argv[2], nullptr, 10));
    xcb_disconnect(x);
    return status;
}
