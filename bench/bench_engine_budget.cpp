// What the engine costs in the real executable with its window hidden: CPU time and wake-ups
// over 30 s idle with the schedule off, idle with the schedule on, and in a running session's
// fade window and dimming window. The app has no window to start a session from yet, so the
// session is the schedule's own: the daily time is set to the current minute and the watcher
// starts its one-minute countdown, inside both windows, at its first tick.
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
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>

#include <chrono>
#include <cstdio>
#include <thread>
#include <unistd.h>

using namespace velorinth;
using namespace std::chrono_literals;

namespace {

constexpr auto kSettle = 3s; // start-up, the first overlays and the first volume write
constexpr auto kSessionStartLimit = 90s;

struct Case
{
    const char *name;
    bool scheduleOn;
    bool sessionNow; // the daily time is now, so a session runs while measuring
    bool fade;
    bool dimming;
};

struct Sample
{
    double statCpuMs = 0;
    double runMs = 0;
    long voluntary = 0;
    long involuntary = 0;
};

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
        s.runMs +=
            readProc(dir + QStringLiteral("/schedstat")).split(' ').value(0).toDouble() / 1e6;
        const QByteArray status = readProc(dir + QStringLiteral("/status"));
        s.voluntary += statusField(status, "voluntary_ctxt_switches");
        s.involuntary += statusField(status, "nonvoluntary_ctxt_switches");
    }
    return s;
}

void writeSettings(const QString &home, const Case &c)
{
    // Five seconds of slack so that the app is up before the chosen minute is over.
    const QDateTime daily = c.sessionNow ? QDateTime::currentDateTime().addSecs(5)
                                         : QDateTime::currentDateTime().addSecs(6 * 3600);
    QSettings settings(home + QStringLiteral("/.config/Velorinth/Velorinth.conf"),
                       QSettings::IniFormat);
    settings.setValue(QStringLiteral("isScheduleEnabled"), c.scheduleOn);
    settings.setValue(QStringLiteral("scheduledTime"),
                      QDateTime(daily.date(), QTime(daily.time().hour(), daily.time().minute())));
    settings.setValue(QStringLiteral("isFadeOutEnabled"), c.fade);
    settings.setValue(QStringLiteral("isScreenDimmingEnabled"), c.dimming);
}

bool waitForLine(const QString &logPath, const QByteArray &line)
{
    const auto limit = std::chrono::steady_clock::now() + kSessionStartLimit;
    while (std::chrono::steady_clock::now() < limit) {
        if (readProc(logPath).contains(line))
            return true;
        std::this_thread::sleep_for(200ms);
    }
    return false;
}

void run(const QString &app, const Case &c, int seconds)
{
    QTemporaryDir home(QDir::home().filePath(QStringLiteral("bench-XXXXXX")));
    QDir(home.path()).mkpath(QStringLiteral(".config/Velorinth"));
    QDir(home.path()).mkpath(QStringLiteral("bin"));
    const StubProgram systemctl(home.filePath(QStringLiteral("bin")), QStringLiteral("systemctl"));
    writeSettings(home.path(), c);

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
    if (c.sessionNow && !waitForLine(logPath, "Session en cours")) {
        std::printf("%-28s no session started\n", c.name);
        return;
    }
    std::this_thread::sleep_for(kSettle);
    const Sample before = sample(process.processId());
    std::this_thread::sleep_for(std::chrono::seconds(seconds));
    const Sample after = sample(process.processId());
    const bool stillRunning = readProc(logPath).contains("Session arrêtée") == false;
    process.terminate();
    if (!process.waitForFinished(3000))
        process.kill();

    const long voluntary = after.voluntary - before.voluntary;
    const long involuntary = after.involuntary - before.involuntary;
    std::printf("%-28s CPU %6.1f ms (stat %4.0f ms)   wake-ups %4ld (%ld voluntary + %ld "
                "involuntary) = %.1f/s%s%s\n",
                c.name, after.runMs - before.runMs, after.statCpuMs - before.statCpuMs,
                voluntary + involuntary, voluntary, involuntary,
                double(voluntary + involuntary) / seconds,
                c.sessionNow && !stillRunning ? "  [session ended early]" : "",
                systemctl.calls().isEmpty() ? "" : "  [suspend was asked for]");
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

    std::printf("over %d s (budget: no wake-ups idle with the schedule off; otherwise <= 30 ms "
                "and one or two wake-ups a second)\n",
                seconds);
    const Case cases[] = {
        {"idle, schedule off", false, false, false, false},
        {"idle, schedule on", true, false, false, false},
        {"session, fade window", true, true, true, false},
        {"session, dimming window", true, true, false, true},
    };
    for (const Case &c : cases)
        run(app, c, seconds);
    return 0;
}
