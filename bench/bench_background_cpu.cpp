// What the animated main-window ground costs: a 320 x 560 widget with three blurred orbs
// drifting (the liquid animation) and a 30-star field twinkling at 0.3 opacity, on the
// offscreen platform. Prints the CPU time over the wall time, then checks that nothing
// ticks once the widget is hidden.
// Run: QT_QPA_PLATFORM=offscreen build/bench/bench_background_cpu [seconds] [frame.png]
#include "design/animated_value.h"
#include "design/design_system.h"
#include "design/soft_shadow.h"
#include "design/starfield.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPainter>
#include <QRadialGradient>
#include <QTimer>
#include <QWidget>

#include <sys/resource.h>

#include <array>
#include <cmath>
#include <cstdio>

using namespace velorinth;

namespace {

struct Orb
{
    QColor colour;
    float opacity;
    qreal diameter;
    QPointF from; // offset of the centre from the widget's centre
    QPointF to;
};

const std::array<Orb, 3> kOrbs{{
    {DesignSystem::Colors::applePurple, 0.15f, 400, {100, 150}, {-100, -150}},
    {DesignSystem::Colors::appleBlue, 0.12f, 350, {-150, -100}, {150, 100}},
    {DesignSystem::Colors::applePink, 0.08f, 300, {50, -200}, {-50, 200}},
}};
constexpr qreal kOrbBlur = 80.0;
// The orbs and the vignette change by less than one colour level over 4 points: they are
// composed at a quarter of the resolution and scaled up in one opaque blit, without
// interpolation, which looks the same and costs half as much.
constexpr qreal kGroundScale = 0.25;
// Blurred by 80 points, an orb's steepest slope changes a pixel by under 0.2 colour levels
// per point, so until the longest drift (orb 3, 412 points) has moved 3 points a new frame
// would show nothing.
constexpr qreal kLongestDrift = 412.3;
constexpr qreal kInvisibleStep = 3.0;

class Ground : public QWidget
{
public:
    Ground()
        : m_drift(new AnimatedValue(0.0, this))
        , m_stars(new Starfield(30, this))
    {
        setAttribute(Qt::WA_OpaquePaintEvent);
        resize(320, 560);
        connect(m_drift, &AnimatedValue::valueChanged, this, [this](double drift) {
            if (std::abs(drift - m_paintedDrift) * kLongestDrift >= kInvisibleStep)
                update();
        });
        // While the orbs drift their frames carry the stars along; alone, stars ask for their own.
        connect(m_stars, &Starfield::changed, this, [this](const QRegion &area) {
            if (m_drift->state() != QAbstractAnimation::Running)
                update(area);
        });
    }

    int frames = 0;

protected:
    void showEvent(QShowEvent *) override
    {
        if (m_drift->state() == QAbstractAnimation::Paused) {
            m_drift->resume();
            m_stars->setPaused(false);
            return;
        }
        m_drift->animateTo(1.0, DesignSystem::Animations::liquid);
        m_stars->start();
    }

    void hideEvent(QHideEvent *) override
    {
        m_drift->pause();
        m_stars->setPaused(true);
    }

    void resizeEvent(QResizeEvent *) override { m_ground = QImage(); }

    void paintEvent(QPaintEvent *) override
    {
        ++frames;
        m_paintedDrift = m_drift->value();
        if (m_ground.isNull())
            buildLayers();
        composeGround();
        QPainter painter(this);
        painter.drawImage(rect(), m_ground);
        painter.setOpacity(0.3);
        m_stars->paint(painter, rect());
    }

private:
    void composeGround()
    {
        QPainter painter(&m_ground);
        painter.setRenderHint(QPainter::SmoothPixmapTransform); // sub-pixel orb positions
        painter.fillRect(rect(), DesignSystem::Colors::deepBlack);
        const QPointF centre(width() / 2.0, height() / 2.0);
        for (size_t i = 0; i < kOrbs.size(); ++i) {
            const Orb &orb = kOrbs[i];
            const qreal reach = orb.diameter / 2 + SoftShadow(orb.colour, kOrbBlur).extent();
            painter.drawPixmap(centre + orb.from + (orb.to - orb.from) * m_paintedDrift
                                   - QPointF(reach, reach),
                               m_orbs[i]);
        }
        painter.drawPixmap(0, 0, m_vignette);
    }

    void buildLayers()
    {
        m_ground = QImage((QSizeF(size()) * kGroundScale).toSize(), QImage::Format_RGB32);
        m_ground.setDevicePixelRatio(kGroundScale);
        for (size_t i = 0; i < kOrbs.size(); ++i) {
            const Orb &orb = kOrbs[i];
            QColor colour = orb.colour;
            colour.setAlphaF(orb.opacity);
            m_orbs[i] = SoftShadow(colour, kOrbBlur)
                            .render({orb.diameter, orb.diameter}, orb.diameter / 2, kGroundScale);
        }
        m_vignette = QPixmap(m_ground.size());
        m_vignette.setDevicePixelRatio(kGroundScale);
        m_vignette.fill(Qt::transparent);
        QPainter painter(&m_vignette);
        QRadialGradient gradient(QPointF(width() / 2.0, height() / 2.0), 600);
        gradient.setColorAt(0.0, Qt::transparent);
        gradient.setColorAt(200.0 / 600.0, Qt::transparent);
        gradient.setColorAt(1.0, QColor::fromRgbF(0, 0, 0, 0.4f));
        painter.fillRect(rect(), gradient);
    }

    AnimatedValue *m_drift;
    Starfield *m_stars;
    qreal m_paintedDrift = -1.0;
    std::array<QPixmap, 3> m_orbs;
    QPixmap m_vignette;
    QImage m_ground;
};

struct Usage
{
    double cpuMs;
    long contextSwitches;
};

Usage usage()
{
    rusage r{};
    getrusage(RUSAGE_SELF, &r);
    return {(r.ru_utime.tv_sec + r.ru_stime.tv_sec) * 1e3
                + (r.ru_utime.tv_usec + r.ru_stime.tv_usec) / 1e3,
            r.ru_nvcsw + r.ru_nivcsw};
}

void runFor(int milliseconds)
{
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const int seconds = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 10;

    Ground ground;
    ground.show();
    runFor(1000); // layers built, first frames out of the way

    const Usage before = usage();
    const int framesBefore = ground.frames;
    QElapsedTimer wall;
    wall.start();
    runFor(seconds * 1000);
    const double cpuMs = usage().cpuMs - before.cpuMs;
    const double wallMs = wall.elapsed();
    const int frames = ground.frames - framesBefore;
    std::printf("animating: %.1f ms CPU over %.0f ms wall = %.2f %% of one core (budget 2 %%); "
                "%d frames, %.1f a second\n",
                cpuMs, wallMs, 100.0 * cpuMs / wallMs, frames, frames * 1000.0 / wallMs);
    if (argc > 2)
        ground.grab().save(QString::fromLocal8Bit(argv[2]));

    ground.hide();
    runFor(100);
    const Usage hiddenStart = usage();
    runFor(3000);
    const Usage hidden = usage();
    std::printf("hidden: %.2f ms CPU, %ld context switches over 3 s\n",
                hidden.cpuMs - hiddenStart.cpuMs,
                hidden.contextSwitches - hiddenStart.contextSwitches);
    return 0;
}
