#include "main_window/volume_bar.h"

#include "design/animated_value.h"
#include "design/color_math.h"
#include "design/design_system.h"
#include "design/glide.h"
#include "design/pixel_ratio_watch.h"
#include "design/rolling_digits.h"
#include "design/shapes.h"
#include "design/symbols.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace velorinth {

namespace {
constexpr int kPreferredWidth = 320;
constexpr qreal kPadding = 30.0;
constexpr qreal kSpacing = 6.0;
constexpr qreal kSymbolSize = 11.0;
constexpr qreal kBarHeight = 4.0;
constexpr Animation kFillAnimation = Animation::linear(1.0);
// As the ring: the bar's end is repainted once it has moved an eighth of a device pixel.
constexpr qreal kVisibleStep = 0.125;

QString speakerSymbol(int waves)
{
    return QStringLiteral("speaker.wave.%1.fill").arg(waves);
}

QString levelText(qint64 volume)
{
    return QString::number(volume) + QLatin1Char('%');
}
} // namespace

VolumeBar::VolumeBar(double percent, qint64 currentVolume, QWidget *parent)
    : QWidget(parent)
    , m_percent(percent)
    , m_currentVolume(currentVolume)
    , m_caption(QStringLiteral("Volume en fondu"), DesignSystem::Fonts::sans(10, QFont::Medium))
    , m_level(new RollingDigits(DesignSystem::Fonts::mono(10), levelText(currentVolume), this))
    , m_fill(new Glide(std::clamp(percent, 0.0, 1.0), this))
    , m_look(AnimatedValue::repainting(1.0, this))
    , m_fromColour(barColor(percent))
    , m_fromWaves(speakerWaves(percent))
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    // Room above for the level's digits rolling up.
    setContentsMargins(0, static_cast<int>(std::ceil(m_level->rollDistance())), 0, 0);
    // The level's digits and the bar's end move on their own.
    const auto redraw = [this] {
        m_picture.invalidate();
        update();
    };
    connect(m_level, &RollingDigits::changed, this, redraw);
    connect(m_fill, &Glide::valueChanged, this, redraw);
    PixelRatioWatch::watch(this, [this](qreal) { m_fill->setStep(visibleStep()); });
}

QColor VolumeBar::barColor(double percent)
{
    if (percent > 0.5)
        return DesignSystem::Colors::appleBlue;
    if (percent > 0.2)
        return DesignSystem::Colors::applePurple;
    return DesignSystem::Colors::applePink;
}

int VolumeBar::speakerWaves(double percent)
{
    if (percent > 0.66)
        return 3;
    if (percent > 0.33)
        return 2;
    return 1;
}

void VolumeBar::setVolume(double percent, qint64 currentVolume)
{
    // A bar off screen takes the new volume at once, to show it as it is when it comes in.
    const bool onScreen = isVisible();
    const auto unlessHidden = [onScreen](const Animation &animation) {
        return onScreen ? animation : Animation::none();
    };
    if (barColor(percent) != barColor(m_percent)
        || speakerWaves(percent) != speakerWaves(m_percent)) {
        m_fromColour = shownColour();
        m_fromWaves = m_look->value() < 0.5 ? m_fromWaves : speakerWaves(m_percent);
        m_look->setValue(0.0);
        m_look->animateTo(1.0, unlessHidden(DesignSystem::Animations::fade));
    }
    m_percent = percent;
    m_currentVolume = currentVolume;
    // The bar stays within its track, whatever level the fade reports.
    m_fill->animateTo(std::clamp(percent, 0.0, 1.0), unlessHidden(kFillAnimation));
    m_level->setText(levelText(currentVolume), unlessHidden(DesignSystem::Animations::fade),
                     RollingDigits::Roll::Up);
}

QColor VolumeBar::shownColour() const
{
    return mixed(m_fromColour, barColor(m_percent), m_look->value());
}

qreal VolumeBar::rowHeight() const
{
    return std::max({kSymbolSize, m_caption.size().height(), m_level->size().height()});
}

QSize VolumeBar::sizeHint() const
{
    return QSize(kPreferredWidth, static_cast<int>(std::ceil(rowHeight() + kSpacing + kBarHeight)))
        .grownBy(contentsMargins());
}

double VolumeBar::visibleStep() const
{
    const qreal track = contentsRect().width() - 2 * kPadding;
    return kVisibleStep / std::max(1.0, track * devicePixelRatioF());
}

void VolumeBar::resizeEvent(QResizeEvent *)
{
    m_fill->setStep(visibleStep());
}

void VolumeBar::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    m_picture.paint(painter, *this, {m_look->value()},
                    [this](QPainter &picture) { paintLook(picture); });
}

void VolumeBar::paintLook(QPainter &painter) const
{
    const QRectF inner = QRectF(contentsRect()).adjusted(kPadding, 0, -kPadding, 0);
    const QRectF row(inner.left(), inner.top(), inner.width(), rowHeight());
    const QColor colour = shownColour();
    const qreal look = m_look->value();
    painter.setRenderHint(QPainter::Antialiasing);

    const QPointF speaker(row.left() + kSymbolSize / 2, row.center().y());
    const int waves = speakerWaves(m_percent);
    if (m_fromWaves != waves && look < 1.0) {
        painter.setOpacity(1.0 - look);
        Symbols::paint(painter, speakerSymbol(m_fromWaves), speaker, kSymbolSize, QFont::Normal,
                       colour);
        painter.setOpacity(look);
    }
    Symbols::paint(painter, speakerSymbol(waves), speaker, kSymbolSize, QFont::Normal, colour);
    painter.setOpacity(1.0);
    painter.setPen(DesignSystem::Colors::textTertiary);
    m_caption.paint(
        painter,
        {row.left() + kSymbolSize + kSpacing + m_caption.size().width() / 2, row.center().y()});
    painter.setPen(colour);
    m_level->paint(painter, row, Qt::AlignRight | Qt::AlignVCenter);

    const QRectF track(inner.left(), row.bottom() + kSpacing, inner.width(), kBarHeight);
    painter.fillPath(capsule(track), DesignSystem::Colors::glassBackground);
    const qreal fill = track.width() * m_fill->value();
    if (fill > 0.0)
        painter.fillPath(capsule(QRectF(track.topLeft(), QSizeF(fill, kBarHeight))), colour);
}

} // namespace velorinth
