// What the drifting ground of the main window costs: the orbs layer and a 30-star field
// at 0.3 opacity in a 320 x 560 window, for 10 s of wall time, at 1x and 2x
// (QT_SCALE_FACTOR=2), on xcb and on offscreen, printed side by side with the frame
// rates. Each figure comes from a process of its own. Also prints, for each pixel ratio,
// the largest change of any pixel between two frames over one pass of the drift.
// Run: bash tools/with-test-services.sh build/bench/bench_orbs_cpu [seconds]
// (without a display the xcb column reads n/a).
#include "cpu_time.h"
#include "design/drifting_ground.h"
#include "design/frame_clock.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPainter>
#include <QProcess>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <cstdio>

using namespace velorinth;

namespace {

const QSize kWindow(320, 560);

// The window's background as the app builds it, counting the frames it paints.
class Ground : public DriftingGround
{
public:
    Ground()
        : DriftingGround(DriftingOrbs::windowLayout(), 30, 0.3)
    {
        resize(kWindow);
        connect(&orbs(), &DriftingOrbs::changed, this, [this] { ++orbFrames; });
    }

    int frames = 0;
    int orbFrames = 0;

protected:
    void showEvent(QShowEvent *event) override
    {
        orbs().setDrifting(true);
        DriftingGround::showEvent(event);
    }
    void paintEvent(QPaintEvent *event) override
    {
        ++frames;
        DriftingGround::paintEvent(event);
    }
};

int largestChange(const QImage &a, const QImage &b)
{
    int largest = 0;
    for (int y = 0; y < a.height(); ++y) {
        const QRgb *p = reinterpret_cast<const QRgb *>(a.constScanLine(y));
        const QRgb *q = reinterpret_cast<const QRgb *>(b.constScanLine(y));
        for (int x = 0; x < a.width(); ++x) {
            largest = std::max({largest, std::abs(qRed(p[x]) - qRed(q[x])),
                                std::abs(qGreen(p[x]) - qGreen(q[x])),
                                std::abs(qBlue(p[x]) - qBlue(q[x]))});
        }
    }
    return largest;
}

// Steps the drift frame by frame (60 a second) through one pass and paints what the layer
// asks for: the largest change of a pixel from one painted frame to the next.
int largestStepOverOnePass()
{
    DriftingOrbs orbs(DriftingOrbs::windowLayout());
    const qreal ratio = qApp->devicePixelRatio();
    const auto paint = [&] {
        QImage image(kWindow * ratio, QImage::Format_RGB32);
        image.setDevicePixelRatio(ratio);
        QPainter painter(&image);
        orbs.paint(painter, QRectF(QPointF(), kWindow));
        return image;
    };
    QImage shown = paint();
    int largest = 0;
    QObject::connect(&orbs, &DriftingOrbs::changed, [&] {
        const QImage next = paint();
        largest = std::max(largest, largestChange(shown, next));
        shown = next;
    });
    orbs.setDrifting(true);
    auto *clock = orbs.findChild<FrameClock *>();
    for (int time = 0; time <= 10000; time += 16)
        clock->setCurrentTime(time);
    return largest;
}

int measure(int seconds)
{
    Ground ground;
    ground.show();
    ground.activateWindow(); // no window manager does it here, and inactive windows hold still
    runFor(1000); // layers built, first frames out of the way
    const double cpuBefore = cpuMilliseconds();
    const int framesBefore = ground.frames;
    const int orbFramesBefore = ground.orbFrames;
    QElapsedTimer wall;
    wall.start();
    runFor(seconds * 1000);
    const double cpu = cpuMilliseconds() - cpuBefore;
    const double elapsed = wall.elapsed();
    std::printf("%.2f %.1f %.1f %d\n", 100.0 * cpu / elapsed,
                (ground.frames - framesBefore) * 1000.0 / elapsed,
                (ground.orbFrames - orbFramesBefore) * 1000.0 / elapsed, largestStepOverOnePass());
    return 0;
}

QString run(const QString &platform, int scale, int seconds)
{
    if (platform == QLatin1String("xcb") && qEnvironmentVariableIsEmpty("DISPLAY"))
        return QStringLiteral("n/a");
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), platform);
    environment.insert(QStringLiteral("QT_SCALE_FACTOR"), QString::number(scale));
    child.setProcessEnvironment(environment);
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--measure"), QString::number(seconds)});
    child.waitForFinished(-1);
    const QStringList figures =
        QString::fromLocal8Bit(child.readAllStandardOutput()).simplified().split(QLatin1Char(' '));
    if (figures.size() != 4)
        return QStringLiteral("failed");
    return QStringLiteral("%1 %, %2 frames/s (orbs %3/s), step %4")
        .arg(figures[0], figures[1], figures[2], figures[3]);
}

} // namespace

int main(int argc, char **argv)
{
    const QStringList arguments = [&] {
        QStringList list;
        for (int i = 1; i < argc; ++i)
            list.append(QString::fromLocal8Bit(argv[i]));
        return list;
    }();
    if (arguments.value(0) == QLatin1String("--measure")) {
        QApplication app(argc, argv);
        return measure(arguments.value(1).toInt());
    }
    QCoreApplication app(argc, argv);
    const int seconds = arguments.isEmpty() ? 10 : arguments.first().toInt();
    std::printf("Drifting orbs + 30 stars, 320 x 560, CPU over %d s of wall time (budget: 2 %% "
                "of a core at 1x, 3 %% at 2x); step: largest change of a pixel between two "
                "frames, in levels of 255\n",
                seconds);
    for (const int scale : {1, 2}) {
        for (const char *platform : {"xcb", "offscreen"}) {
            std::printf("%dx %-9s  %s\n", scale, platform,
                        qPrintable(run(QString::fromLatin1(platform), scale, seconds)));
            std::fflush(stdout);
        }
    }
    return 0;
}
