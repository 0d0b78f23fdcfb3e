#include "e2e/app_from_outside.h"

#include <QFile>
#include <QGuiApplication>
#include <QHash>
#include <QMargins>
#include <QtEndian>
#include <QtTest>

#include <xcb/xcb.h>

#include <csignal>
#include <cstdlib>
#include <memory>

namespace velorinth {

namespace {

// How long a program may take to quit when asked, on a loaded machine, before it is killed.
constexpr int kQuitMs = 10000;

xcb_connection_t *x11()
{
    return qGuiApp->nativeInterface<QNativeInterface::QX11Application>()->connection();
}

xcb_window_t rootWindow()
{
    return xcb_setup_roots_iterator(xcb_get_setup(x11())).data->root;
}

void send(xcb_window_t to, uint32_t mask, xcb_window_t window, xcb_atom_t type,
          const std::array<uint32_t, 5> &data)
{
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = window;
    message.type = type;
    std::copy(data.begin(), data.end(), message.data.data32);
    xcb_send_event(x11(), 0, to, mask, reinterpret_cast<const char *>(&message));
    xcb_flush(x11());
}

template<typename Reply>
using Owned = std::unique_ptr<Reply, decltype(&std::free)>;

// A reply, or null when the window went meanwhile: its error is dropped with it.
template<typename Reply, typename Cookie>
Owned<Reply> answer(Reply *(*read)(xcb_connection_t *, Cookie, xcb_generic_error_t **),
                    Cookie cookie)
{
    xcb_generic_error_t *error = nullptr;
    Reply *reply = read(x11(), cookie, &error);
    std::free(error);
    return {reply, &std::free};
}

xcb_get_property_cookie_t askProperty(xcb_window_t window, const QByteArray &name)
{
    return xcb_get_property(x11(), 0, window, atom(name), XCB_GET_PROPERTY_TYPE_ANY, 0, 256);
}

QByteArray bytesOf(const Owned<xcb_get_property_reply_t> &reply)
{
    if (!reply)
        return {};
    return {static_cast<const char *>(xcb_get_property_value(reply.get())),
            xcb_get_property_value_length(reply.get())};
}

// One window of the tree with what its program set on it.
struct Found
{
    xcb_window_t id = XCB_WINDOW_NONE;
    bool insideClient = false; // some window above it, the root aside, is a program's own
    xcb_get_property_cookie_t pid, windowClass, role, type;
    xcb_get_window_attributes_cookie_t attributes;
    xcb_query_tree_cookie_t tree;
};

bool matches(const WindowTraits &traits, const Found &window, qint64 pid,
             const QByteArray &windowClass, const QByteArray &role, const QByteArray &types)
{
    const QList<QByteArray> classParts = windowClass.split('\0');
    const uint32_t wanted = traits.type.isEmpty() ? 0 : atom(traits.type);
    bool typed = !wanted;
    for (qsizetype at = 0; at + 4 <= types.size(); at += 4)
        typed = typed || qFromUnaligned<uint32_t>(types.constData() + at) == wanted;
    return (!traits.pid || traits.pid == pid)
        && (traits.windowClass.isEmpty() || classParts.contains(traits.windowClass))
        && (traits.role.isEmpty() || role == traits.role) && typed
        && (!traits.isEmbedded || window.insideClient);
}

QRect frameOf(xcb_window_t window)
{
    const auto geometry = answer(xcb_get_geometry_reply, xcb_get_geometry(x11(), window));
    const auto place = answer(xcb_translate_coordinates_reply,
                              xcb_translate_coordinates(x11(), window, rootWindow(), 0, 0));
    if (!geometry || !place)
        return {};
    return {place->dst_x, place->dst_y, geometry->width, geometry->height};
}

// Gives `window` the keyboard, as a click on it would; false when it does not get it.
bool focus(xcb_window_t window)
{
    xcb_set_input_focus(x11(), XCB_INPUT_FOCUS_POINTER_ROOT, window, XCB_CURRENT_TIME);
    xcb_flush(x11());
    return QTest::qWaitFor(
        [window] {
            const auto focused = answer(xcb_get_input_focus_reply, xcb_get_input_focus(x11()));
            return focused && focused->focus == window;
        },
        kWaitMs);
}

// Whether the process `pid` has ended; a zombie has.
bool ended(qint64 pid)
{
    QFile stat(QString("/proc/%1/stat").arg(pid));
    return !stat.open(QIODevice::ReadOnly) || stat.readAll().contains(") Z ");
}

// Asks the process `pid` to quit and kills it when it lingers.
void stop(qint64 pid)
{
    ::kill(pid_t(pid), SIGTERM);
    if (QTest::qWaitFor([pid] { return ended(pid); }, kQuitMs))
        return;
    ::kill(pid_t(pid), SIGKILL);
    static_cast<void>(QTest::qWaitFor([pid] { return ended(pid); }, kQuitMs));
}

} // namespace

QByteArray run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    const bool ran = process.waitForFinished(kWaitMs)
        && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
    if (process.state() != QProcess::NotRunning) {
        process.kill();
        process.waitForFinished(kWaitMs);
    }
    return ran ? process.readAllStandardOutput() : QByteArray();
}

QImage screenshot()
{
    return QImage::fromData(run("import", {"-window", "root", "png:-"}), "PNG");
}

void click(QPoint point)
{
    run("xdotool",
        {"mousemove", QString::number(point.x()), QString::number(point.y()), "click", "1"});
}

void clickByHand(QPoint point)
{
    run("xdotool",
        {"mousemove", QString::number(point.x()), QString::number(point.y()), "mousedown", "1",
         "sleep", "0.15", "mouseup", "1"});
}

void parkPointer()
{
    const xcb_screen_t *screen = xcb_setup_roots_iterator(xcb_get_setup(x11())).data;
    run("xdotool",
        {"mousemove", QString::number(screen->width_in_pixels - 1),
         QString::number(screen->height_in_pixels - 1)});
}

WindowTraits WindowTraits::ofApp(const QProcess &app)
{
    WindowTraits traits;
    traits.pid = app.processId();
    return traits;
}

WindowTraits WindowTraits::ofClass(const QByteArray &windowClass)
{
    WindowTraits traits;
    traits.windowClass = windowClass;
    return traits;
}

WindowTraits WindowTraits::withRole(const QByteArray &wanted) const
{
    WindowTraits traits = *this;
    traits.role = wanted;
    return traits;
}

WindowTraits WindowTraits::withType(const QByteArray &wanted) const
{
    WindowTraits traits = *this;
    traits.type = wanted;
    return traits;
}

WindowTraits WindowTraits::embedded() const
{
    WindowTraits traits = *this;
    traits.isEmbedded = true;
    return traits;
}

std::vector<Window> shownWindows(const WindowTraits &traits)
{
    // The whole tree, one level at a time, every request of a level sent before any reply
    // is read: a few round trips however many windows the desktop has.
    std::vector<Window> shown;
    std::vector<Found> level(1);
    level.front().id = rootWindow();
    const auto ask = [](Found &window) {
        window.pid = askProperty(window.id, "_NET_WM_PID");
        window.windowClass = askProperty(window.id, "WM_CLASS");
        window.role = askProperty(window.id, "WM_WINDOW_ROLE");
        window.type = askProperty(window.id, "_NET_WM_WINDOW_TYPE");
        window.attributes = xcb_get_window_attributes(x11(), window.id);
        window.tree = xcb_query_tree(x11(), window.id);
    };
    for (Found &window : level)
        ask(window);
    while (!level.empty()) {
        std::vector<Found> next;
        for (Found &window : level) {
            const QByteArray pidBytes = bytesOf(answer(xcb_get_property_reply, window.pid));
            const QByteArray windowClass =
                bytesOf(answer(xcb_get_property_reply, window.windowClass));
            const QByteArray role = bytesOf(answer(xcb_get_property_reply, window.role));
            const QByteArray types = bytesOf(answer(xcb_get_property_reply, window.type));
            const auto attributes = answer(xcb_get_window_attributes_reply, window.attributes);
            const auto tree = answer(xcb_query_tree_reply, window.tree);
            const qint64 pid =
                pidBytes.size() >= 4 ? qFromUnaligned<uint32_t>(pidBytes.constData()) : 0;
            const bool viewable = attributes && attributes->map_state == XCB_MAP_STATE_VIEWABLE;
            if (viewable && window.id != rootWindow()
                && matches(traits, window, pid, windowClass, role, types)) {
                shown.push_back({window.id, frameOf(window.id), pid});
            }
            if (!tree)
                continue;
            const bool inside =
                window.insideClient || (window.id != rootWindow() && !windowClass.isEmpty());
            const xcb_window_t *children = xcb_query_tree_children(tree.get());
            for (int i = 0; i < xcb_query_tree_children_length(tree.get()); ++i) {
                Found &child = next.emplace_back();
                child.id = children[i];
                child.insideClient = inside;
            }
        }
        for (Found &window : next)
            ask(window);
        level = std::move(next);
    }
    return shown;
}

Window shownWindow(const WindowTraits &traits)
{
    const std::vector<Window> shown = shownWindows(traits);
    return shown.empty() ? Window() : shown.front();
}

QRect shownPanel(const Window &panel)
{
    // Left, right, top, bottom.
    const QByteArray said = bytesOf(
        answer(xcb_get_property_reply, askProperty(xcb_window_t(panel.id), "_GTK_FRAME_EXTENTS")));
    if (said.size() != 4 * sizeof(uint32_t))
        return panel.frame;
    const auto side = [&](int index) {
        return int(qFromUnaligned<uint32_t>(said.constData() + index * sizeof(uint32_t)));
    };
    return panel.frame.marginsRemoved(QMargins(side(0), side(2), side(1), side(3)));
}

QRect changedArea(const QImage &before, const QImage &after, const QRect &area)
{
    QRect changed;
    if (before.size() != after.size())
        return changed;
    const QRect pixels = area.intersected(after.rect());
    for (int y = pixels.top(); y <= pixels.bottom(); ++y) {
        for (int x = pixels.left(); x <= pixels.right(); ++x) {
            if (before.pixel(x, y) != after.pixel(x, y))
                changed |= QRect(x, y, 1, 1);
        }
    }
    return changed;
}

uint32_t atom(const QByteArray &name)
{
    // Asked once a name: the tree walks ask for the same few again and again.
    static QHash<QByteArray, uint32_t> known;
    if (name.isEmpty())
        return XCB_ATOM_NONE;
    if (const auto found = known.constFind(name); found != known.cend())
        return *found;
    const auto reply =
        answer(xcb_intern_atom_reply, xcb_intern_atom(x11(), 0, name.size(), name.constData()));
    const xcb_atom_t interned = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    if (interned != XCB_ATOM_NONE)
        known.insert(name, interned);
    return interned;
}

void requestClose(qulonglong window)
{
    send(xcb_window_t(window), XCB_EVENT_MASK_NO_EVENT, xcb_window_t(window), atom("WM_PROTOCOLS"),
         {atom("WM_DELETE_WINDOW"), XCB_CURRENT_TIME});
}

void askWindowManager(qulonglong window, const char *type, const std::array<uint32_t, 5> &data)
{
    send(rootWindow(), XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
         xcb_window_t(window), atom(type), data);
}

TrayHostAway::TrayHostAway(QByteArray windowClass)
    : m_windowClass(std::move(windowClass))
{
    const qint64 pid = shownWindow(WindowTraits::ofClass(m_windowClass)).pid;
    QFile commandLine(QString("/proc/%1/cmdline").arg(pid));
    if (pid <= 0 || !commandLine.open(QIODevice::ReadOnly))
        return;
    m_command = QString::fromLocal8Bit(commandLine.readAll()).split(QChar(0), Qt::SkipEmptyParts);
    // Gone once the process is: a new one would find the old one's names still taken.
    stop(pid);
}

TrayHostAway::~TrayHostAway()
{
    if (m_command.isEmpty())
        return;
    // On a loaded machine a host may give up while it starts (its bus answering too late):
    // started again, as a user would.
    constexpr int kStarts = 3;
    for (int start = 0; start < kStarts; ++start) {
        qint64 pid = 0;
        QProcess::startDetached(
            "sh", QStringList{"-c", "exec \"$@\" </dev/null >/dev/null 2>&1", "sh"} + m_command,
            QString(), &pid);
        if (QTest::qWaitFor([&] { return isThere() || ended(pid); }, kWaitMs) && isThere())
            return;
        stop(pid);
    }
    QTest::qFail("the tray host did not come back", __FILE__, __LINE__);
}

bool TrayHostAway::isThere() const
{
    return shownWindow(WindowTraits::ofClass(m_windowClass)).id != 0;
}

UserSession::UserSession()
{
    // Where single instances find each other: private, as the desktop makes it.
    QFile::setPermissions(runtime.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

UserSession::~UserSession()
{
    for (const auto &app : runs) {
        if (app->state() == QProcess::NotRunning)
            continue;
        app->terminate();
        if (app->waitForFinished(kQuitMs))
            continue;
        app->kill();
        app->waitForFinished(kWaitMs);
        QTest::qFail("the app did not quit when asked to", __FILE__, __LINE__);
    }
}

QString UserSession::settingsPath() const
{
    return home.filePath(".config/Velorinth/Velorinth.conf");
}

QProcess &UserSession::launch(const QProcessEnvironment &changes)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("HOME", home.path());
    environment.insert("XDG_CONFIG_HOME", home.filePath(".config"));
    environment.insert("XDG_RUNTIME_DIR", runtime.path());
    environment.insert("PATH", stubs.path() + ':' + environment.value("PATH"));
    // As when a screen reader runs: Qt then shows the app on the accessibility bus.
    environment.insert("QT_LINUX_ACCESSIBILITY_ALWAYS_ON", "1");
    environment.insert(changes);
    QProcess &app = *runs.emplace_back(std::make_unique<QProcess>());
    app.setProcessEnvironment(environment);
    app.setProcessChannelMode(QProcess::ForwardedChannels);
    app.start(VELORINTH_EXECUTABLE, QStringList());
    return app;
}

void UserSession::setSettings(const QVariantMap &values)
{
    QSettings file = settings();
    for (auto value = values.begin(); value != values.end(); ++value)
        file.setValue(value.key(), value.value());
}

bool UserSession::launched()
{
    // The window's content, and its main button with it, shows once the launch is over.
    const Window window = windowOf(app(), "main-window");
    const QRect button = element("LANCER");
    return window.id && !button.isEmpty() && window.frame.contains(button.center());
}

bool UserSession::launchToWindow(const QProcessEnvironment &changes)
{
    launch(changes);
    return QTest::qWaitFor([this] { return launched(); }, kWaitMs);
}

bool UserSession::startSession(const QVariantMap &values, const QProcessEnvironment &changes)
{
    setSettings(values);
    if (!launchToWindow(changes))
        return false;
    if (!focus(windowOf(app(), "main-window").id))
        return false;
    run("xdotool", {"key", "space"});

    // The main button says what a press would do now.
    return QTest::qWaitFor([this] { return !element("ARRÊTER").isEmpty(); }, kWaitMs);
}

std::vector<Element> UserSession::shownWindows()
{
    // One run at a time holds the windows: a second launch hands over to the first and leaves.
    for (auto run = runs.rbegin(); run != runs.rend(); ++run) {
        if ((*run)->state() == QProcess::Running)
            return reader.windowsOf((*run)->processId());
    }
    return {};
}

QRect UserSession::element(const QString &name)
{
    for (const Element &window : shownWindows()) {
        if (const Element *found = window.find(name))
            return found->rect;
    }
    return {};
}

bool UserSession::clickOn(const QString &name)
{
    QRect found;
    if (!QTest::qWaitFor([&] { return !(found = element(name)).isEmpty(); }, kWaitMs))
        return false;
    click(found.center());
    return true;
}

} // namespace velorinth
