#include "e2e/app_from_outside.h"

#include "support/pixels.h"

#include <QFile>
#include <QGuiApplication>
#include <QMargins>
#include <QRegularExpression>
#include <QtTest>

#include <xcb/xcb.h>

#include <csignal>
#include <cstdlib>

namespace velorinth {

namespace {

xcb_connection_t *x11()
{
    return qGuiApp->nativeInterface<QNativeInterface::QX11Application>()->connection();
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

} // namespace

QByteArray run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    const bool ran = process.waitForFinished(kWaitMs)
        && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
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

Window windowOf(const QStringList &search, bool (*kind)(const QRect &))
{
    // "Window 6291462\n  Position: 0,0 (screen: 0)\n  Geometry: 320x560" for each
    static const QRegularExpression window(
        "Window (\\d+)\\s+Position: (-?\\d+),(-?\\d+)[^\\n]*\\s+Geometry: (\\d+)x(\\d+)");
    const QStringList arguments = QStringList{"search", "--all", "--onlyvisible"} + search
        + QStringList{"getwindowgeometry", "%@"};
    const QString listing = QString::fromUtf8(run("xdotool", arguments));
    for (const QRegularExpressionMatch &found : window.globalMatch(listing)) {
        const QRect frame(found.captured(2).toInt(), found.captured(3).toInt(),
                          found.captured(4).toInt(), found.captured(5).toInt());
        if (kind(frame))
            return {found.captured(1).toULongLong(), frame};
    }
    return {};
}

QRect shownPanel(const Window &panel)
{
    // "_GTK_FRAME_EXTENTS(CARDINAL) = 30, 4, 24, 36": left, right, top, bottom
    const QByteArray said = run("xprop", {"-id", QString::number(panel.id), "_GTK_FRAME_EXTENTS"});
    const QList<QByteArray> sides = said.mid(said.indexOf('=') + 1).split(',');
    if (sides.size() != 4)
        return panel.frame;
    return panel.frame.marginsRemoved(
        QMargins(sides[0].trimmed().toInt(), sides[2].trimmed().toInt(), sides[1].trimmed().toInt(),
                 sides[3].trimmed().toInt()));
}

bool launched(const QProcess &app)
{
    const Window window = windowOf(app, isMainWindow);
    return window.id && isBlue(screenshot().pixelColor(window.frame.topLeft() + kStartButton));
}

uint32_t atom(const QByteArray &name)
{
    if (name.isEmpty())
        return XCB_ATOM_NONE;
    xcb_intern_atom_reply_t *reply = xcb_intern_atom_reply(
        x11(), xcb_intern_atom(x11(), 0, name.size(), name.constData()), nullptr);
    const xcb_atom_t found = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    std::free(reply);
    return found;
}

void requestClose(qulonglong window)
{
    send(xcb_window_t(window), XCB_EVENT_MASK_NO_EVENT, xcb_window_t(window), atom("WM_PROTOCOLS"),
         {atom("WM_DELETE_WINDOW"), XCB_CURRENT_TIME});
}

void askWindowManager(qulonglong window, const char *type, const std::array<uint32_t, 5> &data)
{
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(x11())).data->root;
    send(root, XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
         xcb_window_t(window), atom(type), data);
}

TrayHostAway::TrayHostAway(QString windowClass)
    : m_windowClass(std::move(windowClass))
{
    const int pid = run("xdotool", {"search", "--class", m_windowClass, "getwindowpid", "%1"})
                        .trimmed()
                        .toInt();
    QFile commandLine(QString("/proc/%1/cmdline").arg(pid));
    if (pid <= 0 || !commandLine.open(QIODevice::ReadOnly))
        return;
    m_command = QString::fromLocal8Bit(commandLine.readAll()).split(QChar(0), Qt::SkipEmptyParts);
    ::kill(pid, SIGTERM);
}

TrayHostAway::~TrayHostAway()
{
    QProcess::startDetached(
        "sh", QStringList{"-c", "exec \"$@\" </dev/null >/dev/null 2>&1", "sh"} + m_command);
    static_cast<void>(QTest::qWaitFor([this] { return isThere(); }, kWaitMs));
}

bool TrayHostAway::isThere() const
{
    return !run("xdotool", {"search", "--class", m_windowClass}).isEmpty();
}

UserSession::UserSession()
{
    // Where single instances find each other: private, as the desktop makes it.
    QFile::setPermissions(runtime.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

UserSession::~UserSession()
{
    for (const auto &app : runs) {
        app->terminate();
        app->waitForFinished(kWaitMs);
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

bool UserSession::launchToWindow(const QProcessEnvironment &changes)
{
    QProcess &app = launch(changes);
    return QTest::qWaitFor([&app] { return launched(app); }, kWaitMs);
}

bool UserSession::startSession(const QVariantMap &values, const QProcessEnvironment &changes)
{
    setSettings(values);
    if (!launchToWindow(changes))
        return false;
    run("xdotool", {"key", "space"});
    return true;
}

} // namespace velorinth
