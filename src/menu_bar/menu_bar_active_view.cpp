#include "menu_bar/menu_bar_active_view.h"

#include "design/color_math.h"
#include "design/design_system.h"
#include "design/frame_layout.h"
#include "design/pixel_ratio_watch.h"
#include "design/progress_ring.h"
#include "design/pulse_effect.h"
#include "design/rolling_digits.h"
#include "design/shapes.h"
#include "design/symbols.h"
#include "engine/sleep_manager.h"
#include "menu_bar/caption_font.h"
#include "menu_bar/menu_bar_adjust_button.h"
#include "menu_bar/round_symbol_button.h"

#include <QPainter>

#include <cmath>

namespace velorinth {

namespace {
constexpr qreal kPadding = 16.0; // leading and trailing, every row
constexpr qreal kRowSpacing = 14.0;
constexpr qreal kRingSize = 52.0;
constexpr qreal kRingLine = 3.0;
constexpr qreal kRingToText = 18.0;
constexpr qreal kMoonSize = 14.0;
constexpr double kPulseMinOpacity = 0.35;
constexpr double kPulseDuration = 0.7;
constexpr double kPulseStep = 1.0 / 16.0; // of opacity: sixteen colour levels at most
constexpr qreal kTextToCaption = 2.0;
constexpr qreal kBarHeight = 3.0;
constexpr qreal kButtonSpacing = 10.0;
constexpr Animation kGlide = Animation::linear(1.0);
// As the ring: repaint the bar once its end has moved an eighth of a device pixel.
constexpr qreal kVisibleStep = 0.125;

std::function<void(int)> addTime(SleepManager &manager)
{
    return [&manager](int minutes) { manager.addTime(minutes); };
}
} // namespace

double MenuBarActiveView::progress(double timeRemaining, double totalDuration)
{
    return totalDuration > 0.0 ? timeRemaining / totalDuration : 0.0;
}

MenuBarActiveView::MenuBarActiveView(SleepManager &manager, std::function<void()> askToStop,
                                     QWidget *parent)
    : QWidget(parent)
    , m_manager(manager)
    , m_urgent(manager.isUrgent())
    , m_ring(new ProgressRing(kRingSize, kRingLine, kRingLine,
                              progress(manager.timeRemaining(), manager.totalDuration()), this))
    , m_pulse(new PulseEffect(m_urgent, kPulseMinOpacity, kPulseDuration, this))
    , m_time(
          new RollingDigits(DesignSystem::Fonts::mono(28), manager.formattedTimeRemaining(), this))
    , m_caption(QStringLiteral("TEMPS RESTANT"), captionFont())
    , m_urgentCaption(QStringLiteral("MISE EN VEILLE PROCHE"), captionFont())
    , m_adjust{new MenuBarAdjustButton(-5, addTime(manager), this),
               new MenuBarAdjustButton(5, addTime(manager), this),
               new MenuBarAdjustButton(10, addTime(manager), this)}
    , m_stop(new RoundSymbolButton(
          {QStringLiteral("stop.fill"), 11.0, QFont::Normal, 9.0, DesignSystem::Colors::applePink,
           DesignSystem::Colors::applePink, withOpacity(DesignSystem::Colors::applePink, 0.12),
           withOpacity(DesignSystem::Colors::applePink, 0.25)},
          QStringLiteral("Arrêter la minuterie"), std::move(askToStop), this))
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    m_ring->setTint(m_urgent ? DesignSystem::Colors::applePink : QColor());
    PixelRatioWatch::watch(this, [this](qreal ratio) {
        m_ring->setPixelRatio(ratio);
        m_ring->setOwnerStep(barStep());
    });
    connect(m_ring, &ProgressRing::changed, this, [this](const QRectF &area) {
        m_cache.invalidate();
        update(area.translated(ringFrame().topLeft()).toAlignedRect());
    });
    // The pulse moves a little every frame; repaint the moon once that shows.
    m_pulse->setStep(kPulseStep);
    connect(m_pulse, &PulseEffect::opacityChanged, this,
            [this] { update(ringFrame().toAlignedRect()); });
    connect(m_time, &RollingDigits::changed, this, [this] { update(timeArea().toAlignedRect()); });
    connect(m_ring, &ProgressRing::shownProgressChanged, this, &MenuBarActiveView::progressMoved);
    connect(&manager, &SleepManager::timeRemainingChanged, this, &MenuBarActiveView::refresh);
    connect(&manager, &SleepManager::totalDurationChanged, this, &MenuBarActiveView::refresh);
}

void MenuBarActiveView::refresh()
{
    // A session that has ended keeps its last look while the view leaves.
    if (!m_manager.isActive())
        return;
    const double fraction = progress(m_manager.timeRemaining(), m_manager.totalDuration());
    m_ring->setProgress(fraction, kGlide);
    // Counting down or not, the digits roll one way, as a counter does.
    m_time->setText(m_manager.formattedTimeRemaining(), currentAnimation(),
                    RollingDigits::Roll::Up);
    setUrgent(m_manager.isUrgent());
}

void MenuBarActiveView::setUrgent(bool urgent)
{
    if (urgent == m_urgent)
        return;
    m_urgent = urgent;
    m_ring->setTint(urgent ? DesignSystem::Colors::applePink : QColor());
    m_pulse->setActive(urgent);
    update();
}

qreal MenuBarActiveView::barWidth(double shown) const
{
    return std::max(0.0, barFrame().width() * shown);
}

void MenuBarActiveView::progressMoved()
{
    // The ring tells what it repaints of itself; the bar is the view's.
    m_cache.invalidate();
    update(barFrame().adjusted(-1, -1, 1, 1).toAlignedRect());
}

double MenuBarActiveView::barStep() const
{
    return kVisibleStep / std::max(1.0, barFrame().width() * devicePixelRatioF());
}

QSize MenuBarActiveView::sizeHint() const
{
    qreal controls = 2 * kPadding + frameSizeOf(m_stop).width();
    for (const MenuBarAdjustButton *button : m_adjust)
        controls += frameSizeOf(button).width() + kButtonSpacing;
    return {static_cast<int>(std::ceil(controls)),
            static_cast<int>(std::ceil(controlsTop() + controlsHeight()))};
}

QRectF MenuBarActiveView::ringFrame() const
{
    return {kPadding, 0.0, kRingSize, kRingSize};
}

qreal MenuBarActiveView::columnTop() const
{
    const qreal column = m_time->size().height() + kTextToCaption + m_caption.size().height();
    return (kRingSize - column) / 2.0;
}

QRectF MenuBarActiveView::timeArea() const
{
    // Wide and tall enough for rolling characters and a time that gains its hours.
    const qreal left = kPadding + kRingSize + kRingToText;
    const qreal roll = m_time->rollDistance();
    return {left, columnTop() - roll, width() - left - kPadding,
            m_time->size().height() + 2 * roll};
}

QRectF MenuBarActiveView::barFrame() const
{
    return {kPadding, kRingSize + kRowSpacing, width() - 2 * kPadding, kBarHeight};
}

qreal MenuBarActiveView::controlsTop() const
{
    return kRingSize + kRowSpacing + kBarHeight + kRowSpacing;
}

qreal MenuBarActiveView::controlsHeight() const
{
    qreal height = frameSizeOf(m_stop).height();
    for (const MenuBarAdjustButton *button : m_adjust)
        height = std::max<qreal>(height, frameSizeOf(button).height());
    return height;
}

void MenuBarActiveView::resizeEvent(QResizeEvent *)
{
    m_ring->setOwnerStep(barStep()); // the bar's length
    const qreal middle = controlsTop() + controlsHeight() / 2.0;
    qreal left = kPadding;
    for (MenuBarAdjustButton *button : m_adjust) {
        const QSize size = frameSizeOf(button);
        setFrame(button, QRectF(QPointF(left, middle - size.height() / 2.0), size));
        left += size.width() + kButtonSpacing;
    }
    const QSize stop = frameSizeOf(m_stop);
    setFrame(
        m_stop,
        QRectF(QPointF(width() - kPadding - stop.width(), middle - stop.height() / 2.0), stop));
}

void MenuBarActiveView::paintEvent(QPaintEvent *)
{
    using namespace DesignSystem;
    QPainter painter(this);
    m_cache.paint(painter, *this, {double(m_urgent)},
                  [this](QPainter &picture) { paintShapes(picture); });

    // Text is cheap to draw, and the time changes every second: it stays out of the picture.
    const qreal left = ringFrame().right() + kRingToText;
    const qreal top = columnTop();
    painter.setPen(Colors::textPrimary);
    m_time->paint(painter, QRectF(left, top, width() - left - kPadding, m_time->size().height()),
                  Qt::AlignLeft | Qt::AlignVCenter);
    const TextLine &caption = m_urgent ? m_urgentCaption : m_caption;
    painter.setPen(m_urgent ? Colors::applePink : Colors::textTertiary);
    caption.paint(painter,
                  {left + caption.size().width() / 2.0,
                   top + m_time->size().height() + kTextToCaption + caption.size().height() / 2.0});

    painter.setOpacity(m_pulse->opacity());
    m_moon.paint(painter, ringFrame().toAlignedRect(), {double(m_urgent)}, [this](QPainter &moon) {
        Symbols::paint(moon,
                       m_urgent ? QStringLiteral("moon.zzz.fill") : QStringLiteral("moon.fill"),
                       ringFrame().center(), kMoonSize, QFont::Normal,
                       m_urgent ? Colors::applePink : Colors::appleBlue);
    });
}

void MenuBarActiveView::paintShapes(QPainter &painter) const
{
    using namespace DesignSystem;
    painter.setRenderHint(QPainter::Antialiasing);
    m_ring->paint(painter, ringFrame());
    const QRectF bar = barFrame();
    painter.fillPath(capsule(bar), Colors::glassBackground);
    const qreal fillWidth = barWidth(m_ring->shownProgress());
    if (fillWidth > 0.0) {
        const QRectF fill(bar.topLeft(), QSizeF(fillWidth, bar.height()));
        painter.fillPath(capsule(fill),
                         m_urgent ? QBrush(Colors::applePink) : QBrush(Gradients::primaryAccent));
    }
}

} // namespace velorinth
