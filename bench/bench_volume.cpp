// One volume write and one read over PulseVolumeControl's open connection,
// against spawning pactl for the same. Run it with the test services up:
//   tools/with-test-services.sh build/bench/bench_volume
#include "platform/linux/pulse_volume_control.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

using namespace velorinth;

namespace {

constexpr double kWriteBudgetMs = 2.0;
constexpr double kLeastSpeedup = 5.0;

double medianMs(int runs, const std::function<void(int run)> &work)
{
    std::vector<double> times;
    QElapsedTimer timer;
    for (int run = 0; run < runs; ++run) {
        timer.start();
        work(run);
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

void runPactl(const QStringList &arguments)
{
    QProcess pactl;
    pactl.setStandardOutputFile(QProcess::nullDevice());
    pactl.start(QStringLiteral("pactl"), arguments);
    pactl.waitForFinished();
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (qEnvironmentVariableIsEmpty("PULSE_SERVER")) {
        std::fprintf(stderr, "PULSE_SERVER is not set: run through tools/with-test-services.sh\n");
        return 2;
    }
    PulseVolumeControl volume;
    if (!volume.readPercent()) { // opens the connection the timed calls reuse
        std::fprintf(stderr, "no sound server answers\n");
        return 2;
    }

    const double write =
        medianMs(301, [&volume](int run) { (void)volume.setPercent(40 + run % 2); });
    const double read = medianMs(301, [&volume](int) { (void)volume.readPercent(); });
    const QString sink = QStringLiteral("@DEFAULT_SINK@");
    const double pactlWrite = medianMs(31, [&sink](int run) {
        runPactl(
            {QStringLiteral("set-sink-volume"), sink, QStringLiteral("%1%").arg(40 + run % 2)});
    });
    const double pactlRead = medianMs(31, [&sink](int) {
        runPactl({QStringLiteral("get-sink-volume"), sink});
    });

    std::printf("median of one call        libpulse   pactl   speed-up\n");
    std::printf("write                     %6.3f ms  %6.2f ms  %5.1fx\n", write, pactlWrite,
                pactlWrite / write);
    std::printf("read                      %6.3f ms  %6.2f ms  %5.1fx\n", read, pactlRead,
                pactlRead / read);
    const bool withinBudget = write <= kWriteBudgetMs && pactlWrite / write >= kLeastSpeedup
        && pactlRead / read >= kLeastSpeedup;
    std::printf("budget (write <= %.0f ms, >= %.0fx pactl): %s\n", kWriteBudgetMs, kLeastSpeedup,
                withinBudget ? "met" : "MISSED");
    return withinBudget ? 0 : 1;
}
