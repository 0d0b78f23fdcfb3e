#include "main_window/active_view.h"

#include "design/animated_change.h"
#include "design/animated_value.h"
#include "design/color_math.h"
#include "design/design_system.h"
#include "design/frame_layout.h"
#include "design/pixel_ratio_watch.h"
#include "design/progress_ring.h"
#include "design/transition_host.h"
#include "engine/sleep_manager.h"
#include "main_window/controls/adjust_button.h"
#include "main_window/controls/status_indicator.h"
#include "main_window/rolling_label.h"
#include "main_window/volume_bar.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace velorinth {

namespace {
constexpr int kPreferredWidth = 320;
constexpr int kSpacing = 32;
constexpr int kRingAreaHeight = 220;
constexpr qreal kRingDiameter = 220.0;
constexpr qreal kRingLineWidth = 6.0;
constexpr qreal kTrackLineWidth = 2.0;
constexpr qreal kGlowWidth = 260.0;
constexpr qreal kGlowOpacity = 0.1;
constexpr qreal kGlowBlur = 30.0;
constexpr int kCaptionPadding = 4;
constexpr int kButtonSize = 44;
constexpr int kButtonSpacing = 30;
constexpr int kIndicatorSpacing = 16;
constexpr int kRowPaddingWithoutBar = 10;
const Transition kBarTransition = Transition::opacity() + Transition::scale(0.95);

QFont captionFont()
{
    QFont font = DesignSystem::Fonts::sans(9, QFont::Bold);
    font.setLetterSpacing(QFont::AbsoluteSpacing, 2.0);
    return font;
}
} // namespace

ActiveView::ActiveView(SleepManager &manager, QWidget *parent)
    : QWidget(parent)
    , m_manager(manager)
    , m_glow(withOpacity(DesignSystem::Colors::appleBlue, kGlowOpacity), kGlowBlur)
    , m_caption(QStringLiteral("EN COURS"), captionFont())
    , m_ring(new ProgressRing(kRingDiameter, kRingLineWidth, kTrackLineWidth,
                              manager.timeRemaining() / manager.totalDuration(), this))
    , m_time(
          new RollingLabel(DesignSystem::Fonts::mono(36), DesignSystem::Colors::textPrimary, this))
    , m_barHost(new TransitionHost(this))
    , m_bar(new VolumeBar(volumePercent(), manager.currentFadeVolume(), m_barHost))
    , m_minus(new AdjustButton(
          QStringLiteral("minus"), QStringLiteral("Retirer 5 minutes"), kButtonSize,
          [this] { m_manager.addTime(-5); }, this))
    , m_indicators{new StatusIndicator(manager.isFadeOutEnabled(),
                                       QStringLiteral("speaker.wave.2.fill"), this),
                   new StatusIndicator(manager.isScreenDimmingEnabled(),
                                       QStringLiteral("sun.min.fill"), this),
                   new StatusIndicator(manager.isLEDOff(), QStringLiteral("lightbulb.slash"), this)}
    , m_plus(new AdjustButton(
          QStringLiteral("plus"), QStringLiteral("Ajouter 5 minutes"), kButtonSize,
          [this] { m_manager.addTime(5); }, this))
    , m_fading(new AnimatedValue(manager.isFading() ? 1.0 : 0.0, this))
    , m_showsBar(manager.isFading())
{
    // The size hint is the content; given more height, the content stays centred and the
    // shadows and glow that spill past it have room.
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Expanding);
    TransitionHost::setMatchedId(m_time, QStringLiteral("timerText"));
    m_time->setText(m_manager.formattedTimeRemaining(), Animation::none());
    m_bar->hide(); // until the host shows it
    m_barHost->setView(m_showsBar ? m_bar : nullptr, kBarTransition, Animation::none());

    PixelRatioWatch::watch(this, [this](qreal ratio) { m_ring->setPixelRatio(ratio); });
    connect(m_ring, &ProgressRing::changed, this, [this](const QRectF &area) {
        const QRect changed = area.translated(ringFrame().topLeft()).toAlignedRect();
        m_ringPicture.invalidate(changed);
        update(changed);
    });
    connect(m_time, &RollingLabel::frameWidthChanged, this, &ActiveView::layOut);
    connect(m_fading, &AnimatedValue::valueChanged, this, [this] {
        layOut();
        updateGeometry();
    });
    for (auto signal :
         {&SleepManager::timeRemainingChanged, &SleepManager::totalDurationChanged,
          &SleepManager::currentFadeVolumeChanged, &SleepManager::isFadeOutEnabledChanged}) {
        connect(&manager, signal, this, &ActiveView::refresh);
    }
    for (auto signal :
         {&SleepManager::isFadeOutEnabledChanged, &SleepManager::isScreenDimmingEnabledChanged,
          &SleepManager::isLEDOffChanged}) {
        connect(&manager, signal, this, &ActiveView::showOptions);
    }
}

double ActiveView::volumePercent() const
{
    const qint64 start = m_manager.startFadeVolume();
    if (start <= 0)
        return 1.0;
    return static_cast<double>(m_manager.currentFadeVolume()) / static_cast<double>(start);
}

void ActiveView::refresh()
{
    const bool fading = m_manager.isFading();
    const auto show = [this, fading] {
        // A hidden view changes at once, so that it is pictured as it will show.
        const bool onScreen = isVisible();
        const Animation animation = onScreen ? currentAnimation() : Animation::none();
        const double progress = m_manager.timeRemaining() / m_manager.totalDuration();
        if (onScreen)
            m_ring->setProgress(progress);
        else
            m_ring->setProgress(progress, Animation::none());
        m_time->setText(m_manager.formattedTimeRemaining(), animation);
        m_bar->setVolume(volumePercent(), m_manager.currentFadeVolume());
        if (fading != m_showsBar) {
            m_showsBar = fading;
            m_barHost->setView(fading ? m_bar : nullptr, kBarTransition, animation);
            m_fading->animateTo(fading ? 1.0 : 0.0, animation);
        }
    };
    // The bar's coming and going moves the whole screen with the spring, whatever
    // change brought it.
    if (fading != m_showsBar)
        animated(DesignSystem::Animations::spring, show);
    else
        show();
}

void ActiveView::showOptions()
{
    const bool options[] = {m_manager.isFadeOutEnabled(), m_manager.isScreenDimmingEnabled(),
                            m_manager.isLEDOff()};
    for (size_t i = 0; i < m_indicators.size(); ++i)
        m_indicators[i]->setOn(options[i]);
}

QSize ActiveView::sizeHint() const
{
    return {kPreferredWidth, contentHeight()};
}

int ActiveView::contentHeight() const
{
    const double fading = m_fading->value();
    const double bar = frameSizeOf(m_bar).height() + kSpacing;
    return kRingAreaHeight + kSpacing
        + qRound(fading * bar + (1.0 - fading) * kRowPaddingWithoutBar) + kButtonSize;
}

QRectF ActiveView::ringFrame() const
{
    return {(width() - kRingDiameter) / 2, m_top + (kRingAreaHeight - kRingDiameter) / 2,
            kRingDiameter, kRingDiameter};
}

void ActiveView::resizeEvent(QResizeEvent *)
{
    layOut();
}

void ActiveView::layOut()
{
    const int centreX = width() / 2;
    m_top = std::max(0, (height() - contentHeight()) / 2);

    // The time with "EN COURS" under it, centred in the ring.
    const QSize time = frameSizeOf(m_time);
    const int text = time.height() + kCaptionPadding + qRound(m_caption.size().height());
    const int ringCentreY = m_top + kRingAreaHeight / 2;
    setFrame(m_time, QRect(QPoint(centreX - time.width() / 2, ringCentreY - text / 2), time));

    const int barTop = m_top + kRingAreaHeight + kSpacing;
    const QRect bar(QPoint(0, barTop), QSize(width(), frameSizeOf(m_bar).height()));
    m_barHost->setGeometry(bar.marginsAdded(m_bar->contentsMargins()));

    const int rowTop = m_top + contentHeight() - kButtonSize;
    const int rowCentreY = rowTop + kButtonSize / 2;
    const QList<QWidget *> indicators(m_indicators.begin(), m_indicators.end());
    placeRow(indicators, kIndicatorSpacing, {centreX, rowCentreY});
    const int indicatorsHalf = rowSize(indicators, kIndicatorSpacing).width() / 2;
    const QSize button(kButtonSize, kButtonSize);
    setFrame(
        m_minus,
        QRect(QPoint(centreX - indicatorsHalf - kButtonSpacing - kButtonSize, rowTop), button));
    setFrame(m_plus, QRect(QPoint(centreX + indicatorsHalf + kButtonSpacing, rowTop), button));
    m_ringPicture.invalidate(); // the caption follows the time
    update();
}

QRectF ActiveView::glowFrame() const
{
    // 260 wide but only as tall as the ring's area: a circle of the smaller.
    const qreal glow = std::min(kGlowWidth, qreal(kRingAreaHeight));
    return {ringFrame().center() - QPointF(glow, glow) / 2, QSizeF(glow, glow)};
}

void ActiveView::paintEvent(QPaintEvent *)
{
    const QRect area = glowFrame().marginsAdded(m_glow.reach()).toAlignedRect() & rect();
    QPainter painter(this);
    m_ringPicture.paint(painter, area, {}, [this](QPainter &picture) { paintRing(picture); });
}

void ActiveView::paintRing(QPainter &painter) const
{
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF ring = ringFrame();
    const QRectF glow = glowFrame();
    m_glow.paint(painter, glow, glow.width() / 2);
    m_ring->paint(painter, ring);
    const QRectF time = QRectF(m_time->geometry()).marginsRemoved(m_time->contentsMargins());
    painter.setPen(DesignSystem::Colors::textTertiary);
    m_caption.paint(
        painter,
        {ring.center().x(), time.bottom() + kCaptionPadding + m_caption.size().height() / 2});
}

} // namespace velorinth
