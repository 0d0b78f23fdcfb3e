// What the real executable costs with its main window hidden (closed the way a window
// manager closes it; the tray keeps the app running): CPU time and wake-ups over 30 s idle with
// the schedule off, idle with the schedule on, and in a running session's fade window and
// dimming window, and its resident memory once started. The session is the schedule's own, so
// that nothing needs clicking: the daily time is set to the current minute and the watcher
// starts its one-minute countdown, inside both windows, at its first tick; its last minute
// redraws the tray's time each second. One more session is a plain 30-minute one, started with
// the window's Space key (xdotool), whose tray picture changes once a minute.
//
// CPU is the process's utime + stime from /proc/<pid>/stat (10 ms steps) and, finer, the sum of
// its threads' run time from /proc/<pid>/task/*/schedstat. Wake-ups are the voluntary and
// involuntary context switches of all its threads (/proc/<pid>/task/*/status).
//
// Run it on the test services, which give it a private display, sound server and buses; each
// case gets its own HOME and a stub `systemctl` first on PATH, so nothing can suspend this machine:
//   bash tools/with-test-services.sh build/bench/bench_engine_budget build/src/app/velorinth [s]
#include "support/stub_program.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>

#include <xcb/xcb.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>
#include <unistd.h>

using namespace velorinth;
using namespace std::chrono_literals;

namespace {

constexpr auto kSettle = 3s; // start-up, the first overlays and the first volume write
// Without a scheduled session: past the window's launch steps and the 30 s after which
// Qt's pool lets the threads that drew the window go.
constexpr auto kIdleSettle = 35s;
constexpr auto kWindowLimit = 10s;
constexpr int kTrayIconLimit = 100; // pixels: wider is a window
constexpr auto kLaunch = 5s; // the window's launch animation, during which keys do nothing

struct Case
{
    const char *name;
    bool scheduleOn;
    bool sessionNow; // the daily time is now, so a session runs while measuring
    bool fade;
    bool dimming;
    bool startByKey = false; // a 30-minute session from the window's Space key
};

struct TaskSample
{
    double runMs = 0;
    long voluntary = 0;
    long involuntary = 0;
};

struct Sample
{
    double statCpuMs = 0; // the whole process's, ended threads included
    QHash<QString, TaskSample> tasks; // by thread id
};

// What the threads did between two samples. A thread that ended in between takes its
// counts with it: only how many ended is known.
struct Difference
{
    TaskSample sum;
    int endedThreads = 0;
};

Difference difference(const Sample &before, const Sample &after)
{
    Difference d;
    for (auto it = after.tasks.begin(); it != after.tasks.end(); ++it) {
        const TaskSample earlier = before.tasks.value(it.key());
        d.sum.runMs += it->runMs - earlier.runMs;
        d.sum.voluntary += it->voluntary - earlier.voluntary;
        d.sum.involuntary += it->involuntary - earlier.involuntary;
    }
    for (auto it = before.tasks.begin(); it != before.tasks.end(); ++it)
        d.endedThreads += after.tasks.contains(it.key()) ? 0 : 1;
    return d;
}

QByteArray readProc(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

long statusField(const QByteArray &status, const QByteArray &name)
{
    for (const QByteArray &line : status.split('\n')) {
        if (line.startsWith(name + ':'))
            return line.mid(name.size() + 1).trimmed().toLong();
    }
    return 0;
}

Sample sample(qint64 pid)
{
    Sample s;
    const QString proc = QStringLiteral("/proc/%1").arg(pid);
    // The command name in parentheses may hold spaces: count fields after its closing one.
    const QByteArray stat = readProc(proc + QStringLiteral("/stat"));
    const QList<QByteArray> fields = stat.mid(stat.lastIndexOf(')') + 2).split(' ');
    if (fields.size() > 12)
        s.statCpuMs = double(fields[11].toLong() + fields[12].toLong()) * 1000.0
            / double(sysconf(_SC_CLK_TCK));
    const QStringList tasks =
        QDir(proc + QStringLiteral("/task")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString &task : tasks) {
        const QString dir = proc + QStringLiteral("/task/") + task;
        TaskSample &t = s.tasks[task];
        t.runMs = readProc(dir + QStringLiteral("/schedstat")).split(' ').value(0).toDouble() / 1e6;
        const QByteArray status = readProc(dir + QStringLiteral("/status"));
        t.voluntary = statusField(status, "voluntary_ctxt_switches");
        t.involuntary = statusField(status, "nonvoluntary_ctxt_switches");
    }
    return s;
}

// Returns when the schedule's session starts: at the chosen minute, or at the watcher's first
// tick when that minute has begun already.
QDateTime writeSettings(const QString &home, const Case &c)
{
    // Five seconds of slack so that the app is up before the chosen minute is over.
    const QDateTime soon = c.sessionNow ? QDateTime::currentDateTime().addSecs(5)
                                        : QDateTime::currentDateTime().addSecs(6 * 3600);
    const QDateTime daily(soon.date(), QTime(soon.time().hour(), soon.time().minute()));
    QSettings settings(home + QStringLiteral("/.config/Velorinth/Velorinth.conf"),
                       QSettings::IniFormat);
    settings.setValue(QStringLiteral("isScheduleEnabled"), c.scheduleOn);
    settings.setValue(QStringLiteral("scheduledTime"), daily);
    settings.setValue(QStringLiteral("isFadeOutEnabled"), c.fade);
    settings.setValue(QStringLiteral("isScreenDimmingEnabled"), c.dimming);
    return std::max(daily, QDateTime::currentDateTime()).addSecs(1);
}

xcb_atom_t atom(xcb_connection_t *x, const char *name)
{
    xcb_intern_atom_reply_t *reply =
        xcb_intern_atom_reply(x, xcb_intern_atom(x, false, uint16_t(qstrlen(name)), name), nullptr);
    const xcb_atom_t found = reply ? reply->atom : xcb_atom_t(XCB_NONE);
    std::free(reply);
    return found;
}

// The mapped top-level window of process `pid`, or none. Not the tray icon's, which is a
// small top-level of its own until the tray takes it in.
xcb_window_t shownWindowOf(xcb_connection_t *x, qint64 pid)
{
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(x)).data->root;
    const xcb_atom_t pidAtom = atom(x, "_NET_WM_PID");
    xcb_query_tree_reply_t *tree = xcb_query_tree_reply(x, xcb_query_tree(x, root), nullptr);
    const xcb_window_t *children = tree ? xcb_query_tree_children(tree) : nullptr;
    xcb_window_t found = XCB_NONE;
    for (int i = 0; tree && i < xcb_query_tree_children_length(tree) && found == XCB_NONE; ++i) {
        const xcb_window_t window = children[i];
        xcb_get_property_reply_t *owner = xcb_get_property_reply(
            x, xcb_get_property(x, false, window, pidAtom, XCB_ATOM_CARDINAL, 0, 1), nullptr);
        xcb_get_window_attributes_reply_t *attributes =
            xcb_get_window_attributes_reply(x, xcb_get_window_attributes(x, window), nullptr);
        xcb_get_geometry_reply_t *geometry =
            xcb_get_geometry_reply(x, xcb_get_geometry(x, window), nullptr);
        if (owner && xcb_get_property_value_length(owner) == 4
            && *static_cast<uint32_t *>(xcb_get_property_value(owner)) == uint32_t(pid)
            && attributes && attributes->map_state == XCB_MAP_STATE_VIEWABLE
            && !attributes->override_redirect && geometry && geometry->width > kTrayIconLimit)
            found = window;
        std::free(owner);
        std::free(attributes);
        std::free(geometry);
    }
    std::free(tree);
    return found;
}

// Asks the window of process `pid` to close, as a window manager's close button does (or,
// without `close`, only looks). False when it shows none.
bool windowOf(qint64 pid, bool close)
{
    xcb_connection_t *x = xcb_connect(nullptr, nullptr);
    const xcb_window_t window = xcb_connection_has_error(x) ? XCB_NONE : shownWindowOf(x, pid);
    if (window != XCB_NONE && close) {
        xcb_client_message_event_t message{};
        message.response_type = XCB_CLIENT_MESSAGE;
        message.format = 32;
        message.window = window;
        message.type = atom(x, "WM_PROTOCOLS");
        message.data.data32[0] = atom(x, "WM_DELETE_WINDOW");
        message.data.data32[1] = XCB_CURRENT_TIME;
        xcb_send_event(x, false, window, XCB_EVENT_MASK_NO_EVENT,
                       reinterpret_cast<const char *>(&message));
        xcb_flush(x);
    }
    xcb_disconnect(x);
    return window != XCB_NONE;
}

// Closes the window once it shows, and again while it still shows: a close sent in the app's
// first moments is not always acted upon.
bool hideMainWindow(qint64 pid)
{
    const auto limit = std::chrono::steady_clock::now() + kWindowLimit;
    bool sent = false;
    while (std::chrono::steady_clock::now() < limit) {
        if (sent && !windowOf(pid, false))
            return true;
        sent = windowOf(pid, true) || sent;
        std::this_thread::sleep_for(sent ? 500ms : 100ms);
    }
    return false;
}

long residentKiB(qint64 pid)
{
    const QByteArray status = readProc(QStringLiteral("/proc/%1/status").arg(pid));
    const qsizetype at = status.indexOf("VmRSS:");
    return at < 0 ? 0 : status.mid(at + 6).trimmed().split(' ').value(0).toLong(); // "1234 kB"
}

void run(const QString &app, const Case &c, int seconds)
{
    QTemporaryDir home(QDir::home().filePath(QStringLiteral("bench-XXXXXX")));
    QDir(home.path()).mkpath(QStringLiteral(".config/Velorinth"));
    QDir(home.path()).mkpath(QStringLiteral("bin"));
    const StubProgram systemctl(home.filePath(QStringLiteral("bin")), QStringLiteral("systemctl"));
    const QDateTime sessionStart = writeSettings(home.path(), c);

    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("HOME"), home.path());
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral(".config")));
    environment.insert(QStringLiteral("PATH"),
                       home.filePath(QStringLiteral("bin")) + QLatin1Char(':')
                           + environment.value(QStringLiteral("PATH")));
    process.setProcessEnvironment(environment);
    const QString logPath = home.filePath(QStringLiteral("log"));
    process.setStandardOutputFile(logPath);
    process.setStandardErrorFile(logPath, QIODevice::Append);
    process.start(app, {});
    if (!process.waitForStarted()) {
        std::printf("%-28s could not start %s\n", c.name, qPrintable(app));
        return;
    }
    if (c.startByKey) {
        // The window opens at the top left of the screen, where no window manager moves it;
        // with none, the keyboard follows the pointer.
        std::this_thread::sleep_for(kLaunch);
        QProcess::execute(QStringLiteral("xdotool"),
                          {QStringLiteral("mousemove"), QStringLiteral("160"),
                           QStringLiteral("280"), QStringLiteral("key"), QStringLiteral("space")});
    }
    if (!hideMainWindow(process.processId())) {
        std::printf("%-28s its window never showed, or never hid\n", c.name);
        process.kill();
        process.waitForFinished();
        return;
    }
    if (c.sessionNow) {
        const qint64 untilStart = QDateTime::currentDateTime().msecsTo(sessionStart);
        std::this_thread::sleep_for(std::chrono::milliseconds(std::max<qint64>(0, untilStart)));
    }
    std::this_thread::sleep_for(c.sessionNow ? kSettle : kIdleSettle);
    const long resident = residentKiB(process.processId());
    const Sample before = sample(process.processId());
    std::this_thread::sleep_for(std::chrono::seconds(seconds));
    const Sample after = sample(process.processId());
    const bool stillShown = windowOf(process.processId(), false);
    process.terminate();
    if (!process.waitForFinished(3000))
        process.kill();

    const Difference d = difference(before, after);
    const long wakeUps = d.sum.voluntary + d.sum.involuntary;
    std::printf("%-28s CPU %6.1f ms (stat %4.0f ms)   wake-ups %4ld (%ld voluntary + %ld "
                "involuntary) = %.1f/s%s   resident %.1f MB%s%s\n",
                c.name, d.sum.runMs, after.statCpuMs - before.statCpuMs, wakeUps, d.sum.voluntary,
                d.sum.involuntary, double(wakeUps) / seconds,
                d.endedThreads > 0
                    ? qPrintable(QStringLiteral(", %1 idle thread(s) ended").arg(d.endedThreads))
                    : "",
                double(resident) / 1024.0,
                systemctl.calls().isEmpty() ? "" : "  [the session ended: suspend was asked for]",
                stillShown ? "  [the window did not hide]" : "");
    std::fflush(stdout);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication application(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s <velorinth executable> [seconds]\n", argv[0]);
        return 2;
    }
    // The logind fallback of the suspend must reach the tests' private system bus, never the real
    // one.
    if (qEnvironmentVariableIsEmpty("DBUS_SYSTEM_BUS_ADDRESS")
        || qEnvironmentVariableIsEmpty("PULSE_SERVER") || qEnvironmentVariableIsEmpty("DISPLAY")) {
        std::fprintf(stderr, "run it under tools/with-test-services.sh\n");
        return 2;
    }
    const QString app = QString::fromLocal8Bit(argv[1]);
    const int seconds = argc > 2 ? QString::fromLocal8Bit(argv[2]).toInt() : 30;

    std::printf("over %d s, main window hidden (budget: no wake-ups idle with the schedule off; "
                "otherwise <= 30 ms and about one wake-up a second; resident <= 50 MB)\n",
                seconds);
    const Case cases[] = {
        {"idle, schedule off", false, false, false, false},
        {"idle, schedule on", true, false, false, false},
        {"session of 30 min, started", false, false, false, false, true},
        {"session, fade window", true, true, true, false},
        {"session, dimming window", true, true, false, true},
    };
    for (const Case &c : cases)
        run(app, c, seconds);
    return 0;
}
