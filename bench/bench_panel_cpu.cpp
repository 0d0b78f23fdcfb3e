// What the tray panel costs while it is open: MenuBarView shown as the panel window shows
// it (frameless, never activated), its ground drifting, for 10 s of wall time, idle, with
// a session running (a tick a second) and in a session's last five minutes (the moon
// pulses), at 1x and 2x (QT_SCALE_FACTOR=2), on xcb. Prints the CPU time as a share of
// one core and the widget paints per second. Each scale runs in a process of its own.
// Run: bash tools/with-test-services.sh build/bench/bench_panel_cpu [seconds]
#include "cpu_time.h"
#include "engine/sleep_manager_rig.h"
#include "menu_bar/menu_bar_view.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTimer>

#include <cstdio>

using namespace velorinth;

namespace {

struct Case
{
    const char *name;
    double remaining; // of a 30-minute session; 0: none runs
};
constexpr Case kCases[] = {{"idle", 0}, {"running", 1500}, {"last five minutes", 280}};

class PaintCounter : public QObject
{
public:
    int paints = 0;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return QObject::eventFilter(watched, event);
    }
};

void measure(const Case &c, int seconds)
{
    SleepManagerRig rig(QStringLiteral("2026-01-15T21:00:00"), {},
                        QStringLiteral("/nonexistent/batt"));
    if (c.remaining > 0) {
        rig.manager->setSessionDuration(1800);
        rig.manager->startTimer();
        rig.advance(1800 - c.remaining);
    }
    // The engine's clock keeps pace with the wall's.
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, [&rig] { rig.advance(1.0); });
    tick.start(1000);

    MenuBarView panel(*rig.manager, {});
    panel.setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    panel.setAttribute(Qt::WA_ShowWithoutActivating);
    panel.show();
    PaintCounter counter;
    qApp->installEventFilter(&counter);
    runFor(1000); // layers built, first frames out of the way
    const double cpuBefore = cpuMilliseconds();
    const int paintsBefore = counter.paints;
    QElapsedTimer wall;
    wall.start();
    runFor(seconds * 1000);
    const double cpu = cpuMilliseconds() - cpuBefore;
    const double elapsed = wall.elapsed();
    qApp->removeEventFilter(&counter);
    std::printf("  %-18s %5.2f %% of a core, %5.1f paints/s\n", c.name, 100.0 * cpu / elapsed,
                (counter.paints - paintsBefore) * 1000.0 / elapsed);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char **argv)
{
    const int seconds = argc > 2 ? QString::fromLocal8Bit(argv[2]).toInt()
                                 : (argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 10);
    if (argc > 1 && QByteArray(argv[1]) == "--measure") {
        qputenv("QT_QPA_PLATFORM", "xcb");
        QApplication app(argc, argv);
        for (const Case &c : kCases)
            measure(c, seconds);
        return 0;
    }
    QCoreApplication app(argc, argv);
    if (qEnvironmentVariableIsEmpty("DISPLAY")) {
        std::printf("No display: run it under tools/with-test-services.sh\n");
        return 1;
    }
    std::printf("Tray panel open, %d s of wall time each, xcb (budget: 2 %% of a core)\n", seconds);
    for (const int scale : {1, 2}) {
        std::printf("%dx\n", scale);
        std::fflush(stdout);
        QProcess child;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_SCALE_FACTOR"), QString::number(scale));
        child.setProcessEnvironment(environment);
        child.setProcessChannelMode(QProcess::ForwardedOutputChannel);
        child.start(QCoreApplication::applicationFilePath(),
                    {QStringLiteral("--measure"), QString::number(seconds)});
        child.waitForFinished(-1);
    }
    return 0;
}
