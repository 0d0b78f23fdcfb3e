#include "design/drifting_orbs.h"

#include "design/animated_value.h"
#include "design/color_math.h"
#include "design/design_system.h"
#include "design/frame_clock.h"
#include "design/gaussian_blur.h"
#include "design/pause_while_hidden.h"

#include <QPainter>
#include <QRadialGradient>
#include <QWidget>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace velorinth {

namespace {
// A new frame once the drift may have changed some pixel by this many colour levels of
// 255. Composing three 8-bit layers already flips single pixels by up to three levels
// from one position to the next; two levels of motion add one to that at most and take
// half the frames (and half the CPU) of one level.
constexpr double kLevelsPerFrame = 2.0;

// The steepest a blurred circle's rim changes a pixel, in colour levels per point: its
// colour step over the ground times the Gaussian's peak, 1 / (sigma sqrt(2 pi)).
double steepestSlope(const DriftingOrbs::Orb &orb, const QColor &ground, qreal sigma)
{
    const QColor c = orb.colour;
    const double step =
        std::max({std::abs(c.redF() - ground.redF()), std::abs(c.greenF() - ground.greenF()),
                  std::abs(c.blueF() - ground.blueF())});
    return step * c.alphaF() * 255.0 / (sigma * std::sqrt(2.0 * M_PI));
}

QImage tinted(const QImage &mask, const QColor &colour)
{
    QImage image(mask.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.drawImage(0, 0, mask);
    painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
    painter.fillRect(image.rect(), colour);
    return image;
}

// Each pixel as a factor x factor block of `to`: a fill and a few copies per line, once per
// frame of the drift, where a scaled blit at every paint costs several times more.
void blowUp(const QImage &from, int factor, QImage &to)
{
    const int width = from.width();
    const qsizetype lineBytes = to.bytesPerLine();
    uchar *const bits = to.bits();
    for (int y = 0; y < from.height(); ++y) {
        const auto *source = reinterpret_cast<const QRgb *>(from.constScanLine(y));
        uchar *const first = bits + qsizetype(y) * factor * lineBytes;
        auto *line = reinterpret_cast<QRgb *>(first);
        for (int x = 0; x < width; ++x)
            std::fill_n(line + x * factor, factor, source[x]);
        for (int copy = 1; copy < factor; ++copy)
            std::memcpy(first + copy * lineBytes, first, lineBytes);
    }
}

quint64 nextCacheKey()
{
    static quint64 key = 0;
    return ++key;
}
} // namespace

DriftingOrbs::Layout DriftingOrbs::windowLayout()
{
    using namespace DesignSystem::Colors;
    return {deepBlack,
            80.0,
            {{withOpacity(applePurple, 0.15), 400.0, {100.0, 150.0}, {-100.0, -150.0}},
             {withOpacity(appleBlue, 0.12), 350.0, {-150.0, -100.0}, {150.0, 100.0}},
             {withOpacity(applePink, 0.08), 300.0, {50.0, -200.0}, {-50.0, 200.0}}},
            Vignette{200.0, 600.0, QColor::fromRgbF(0.0f, 0.0f, 0.0f, 0.4f)}};
}

DriftingOrbs::Layout DriftingOrbs::panelLayout(bool sessionRunning)
{
    using namespace DesignSystem::Colors;
    const QColor first = sessionRunning ? appleBlue : applePurple;
    const QColor second = sessionRunning ? applePurple : appleBlue;
    return {deepBlack,
            40.0,
            {{withOpacity(first, 0.2), 200.0, {30.0, 40.0}, {-30.0, -40.0}},
             {withOpacity(second, 0.15), 180.0, {-40.0, -20.0}, {40.0, 20.0}}},
            std::nullopt};
}

DriftingOrbs::DriftingOrbs(const Layout &layout, QWidget *view)
    : QObject(view)
    , m_layout(layout)
    , m_recolouring(new AnimatedValue(1.0, this))
    , m_clock(new FrameClock(this))
{
    // A pixel where every rim happened to meet would change by all their slopes at once.
    double levelsPerPoint = 0.0;
    m_levelsPerDrift = 0.0;
    for (const Orb &orb : layout.orbs) {
        const double slope = steepestSlope(orb, layout.ground, layout.blurRadius);
        levelsPerPoint += slope;
        m_levelsPerDrift +=
            slope * std::hypot(orb.to.x() - orb.from.x(), orb.to.y() - orb.from.y());
        m_fromColours.push_back(orb.colour);
    }
    m_pointsPerLevel = levelsPerPoint > 0.0 ? 1.0 / levelsPerPoint : 1.0;
    connect(m_clock, &FrameClock::ticked, this, &DriftingOrbs::ticked);
    if (view)
        PauseWhileHidden::watch(view, m_clock);
    connect(m_recolouring, &AnimatedValue::valueChanged, this, &DriftingOrbs::changed);
}

void DriftingOrbs::setDrifting(bool drifting)
{
    if (drifting == isDrifting())
        return;
    if (drifting) {
        m_clock->start();
        return;
    }
    m_clock->stop();
    announce(0.0);
}

bool DriftingOrbs::isDrifting() const
{
    return m_clock->state() != QAbstractAnimation::Stopped;
}

void DriftingOrbs::recolour(const Layout &like, const Animation &animation)
{
    Q_ASSERT(like.orbs.size() == m_layout.orbs.size());
    for (size_t i = 0; i < m_layout.orbs.size(); ++i) {
        m_fromColours[i] = colourNow(i);
        m_layout.orbs[i].colour = like.orbs[i].colour;
    }
    m_recolouring->setValue(0.0);
    m_recolouring->animateTo(1.0, animation);
}

void DriftingOrbs::paint(QPainter &painter, const QRectF &field)
{
    const qreal pixelRatio = painter.device()->devicePixelRatioF();
    if (field.size() != m_field || pixelRatio != m_pixelRatio)
        rebuild(field.size(), pixelRatio);
    if (m_recolouring->value() != m_composedRecolouring) {
        for (size_t i = 0; i < m_rendered.size(); ++i)
            m_rendered[i].tinted = tinted(m_rendered[i].mask, colourNow(i));
        m_composedRecolouring = m_recolouring->value();
        m_composedDrift = -1.0;
    }
    if (m_shownDrift != m_composedDrift)
        compose();
    // One opaque blit of the ground in blocks: neighbouring ground pixels differ by a colour
    // level at most, so their blocks cannot be told apart.
    painter.save();
    painter.setClipRect(field, Qt::IntersectClip);
    painter.drawImage(field.topLeft(), m_blocks);
    painter.restore();
}

void DriftingOrbs::ticked()
{
    const double now = m_clock->seconds();
    const auto moved = [this](double seconds) {
        const double drift = DesignSystem::Animations::liquid.progressAt(seconds);
        return std::abs(drift - m_shownDrift) * m_levelsPerDrift >= kLevelsPerFrame;
    };
    if (moved(now))
        announce(DesignSystem::Animations::liquid.progressAt(now));
    // Nothing to show until then.
    m_clock->tickWhen(moved);
}

void DriftingOrbs::announce(double drift)
{
    if (drift == m_shownDrift)
        return;
    m_shownDrift = drift;
    Q_EMIT changed();
}

void DriftingOrbs::rebuild(QSizeF field, qreal pixelRatio)
{
    m_field = field;
    m_pixelRatio = pixelRatio;
    // The ground is composed on blocks small enough that, rims meeting or not, two
    // neighbouring blocks differ by at most one colour level.
    m_reduction = std::max(1, static_cast<int>(m_pointsPerLevel * pixelRatio));
    const qreal scale = pixelRatio / m_reduction;
    m_ground = QImage(QSizeF(field * scale).toSize().expandedTo({1, 1}) + QSize(1, 1),
                      QImage::Format_RGB32);
    m_blocks = QImage(m_ground.size() * m_reduction, QImage::Format_RGB32);
    m_blocks.setDevicePixelRatio(pixelRatio);
    const qreal reach = blurReach(m_layout.blurRadius);
    m_rendered.clear();
    for (const Orb &orb : m_layout.orbs) {
        const qreal side = orb.diameter + 2.0 * reach;
        const int pixels = static_cast<int>(std::ceil(side * scale));
        QImage mask(pixels, pixels, QImage::Format_Alpha8);
        mask.fill(0);
        {
            QPainter painter(&mask);
            painter.setRenderHint(QPainter::Antialiasing);
            painter.scale(scale, scale);
            painter.setPen(Qt::NoPen);
            painter.setBrush(Qt::black);
            painter.drawEllipse(QRectF(reach, reach, orb.diameter, orb.diameter));
        }
        gaussianBlurAlpha(mask, m_layout.blurRadius * scale);
        m_rendered.push_back({mask, QImage()});
    }
    m_vignette = QImage();
    if (m_layout.vignette) {
        const Vignette &v = *m_layout.vignette;
        m_vignette = QImage(m_ground.size(), QImage::Format_ARGB32_Premultiplied);
        m_vignette.fill(Qt::transparent);
        QPainter painter(&m_vignette);
        painter.scale(scale, scale);
        QRadialGradient gradient(QPointF(field.width(), field.height()) / 2.0, v.fullRadius);
        gradient.setColorAt(v.clearRadius / v.fullRadius, Qt::transparent);
        gradient.setColorAt(1.0, v.colour);
        painter.fillRect(QRectF(QPointF(), field), gradient);
    }
    m_composedRecolouring = -1.0;
    m_cacheKey = nextCacheKey();
}

void DriftingOrbs::compose()
{
    m_composedDrift = m_shownDrift;
    const qreal scale = m_pixelRatio / m_reduction;
    const qreal reach = blurReach(m_layout.blurRadius);
    const QPointF centre(m_field.width() / 2.0, m_field.height() / 2.0);
    QPainter painter(&m_ground);
    painter.fillRect(m_ground.rect(), m_layout.ground);
    for (size_t i = 0; i < m_layout.orbs.size(); ++i) {
        const Orb &orb = m_layout.orbs[i];
        const QPointF at = centre + orb.from + (orb.to - orb.from) * m_shownDrift
            - QPointF(1.0, 1.0) * (orb.diameter / 2.0 + reach);
        // Whole ground pixels: a block is worth less than a colour level.
        painter.drawImage((at * scale).toPoint(), m_rendered[i].tinted);
    }
    if (!m_vignette.isNull())
        painter.drawImage(0, 0, m_vignette);
    painter.end();
    blowUp(m_ground, m_reduction, m_blocks);
}

QColor DriftingOrbs::colourNow(size_t orb) const
{
    return mixed(m_fromColours[orb], m_layout.orbs[orb].colour,
                 std::clamp(m_recolouring->value(), 0.0, 1.0));
}

} // namespace velorinth
