#include "main_window/setup_view.h"

#include "design/animated_change.h"
#include "design/design_system.h"
#include "design/frame_layout.h"
#include "design/shapes.h"
#include "design/transition_host.h"
#include "engine/sleep_manager.h"
#include "main_window/controls/feature_toggle.h"
#include "main_window/controls/mode_tab_button.h"
#include "main_window/duration_section.h"
#include "main_window/schedule_section.h"

#include <QEvent>
#include <QPainter>

#include <algorithm>

namespace velorinth {

namespace {
constexpr int kPreferredWidth = 320;
constexpr int kSpacing = 28;
constexpr int kOptionSpacing = 15;
constexpr qreal kSwitchOutlineWidth = 0.5;

// Each section comes and goes on its own side: the schedule in from the trailing edge
// and out to the leading one, the duration the other way round.
const Transition kScheduleTransition =
    Transition::asymmetric(Transition::move(Qt::RightEdge) + Transition::opacity(),
                           Transition::move(Qt::LeftEdge) + Transition::opacity());
const Transition kDurationTransition =
    Transition::asymmetric(Transition::move(Qt::LeftEdge) + Transition::opacity(),
                           Transition::move(Qt::RightEdge) + Transition::opacity());

// The session's length in minutes; writes above the longest session are cut to it, the
// slider's range keeps them above the shortest.
Binding<double> sliderBinding(SleepManager &manager)
{
    const Binding<double> seconds =
        bindProperty(&manager, &SleepManager::sessionDuration, &SleepManager::setSessionDuration,
                     &SleepManager::sessionDurationChanged);
    return {[seconds] { return seconds.get() / 60.0; },
            [seconds](double minutes) {
                seconds.set(std::min(minutes, SetupView::kMaxMinutes) * 60.0);
            },
            seconds.subscribe};
}
} // namespace

SetupView::SetupView(SleepManager &manager, QWidget *parent)
    : QWidget(parent)
    , m_manager(manager)
    , m_timerTab(new ModeTabButton(
          QStringLiteral("Minuterie"), QStringLiteral("timer"), !manager.isScheduleEnabled(),
          [this] { chooseMode(false); }, this))
    , m_scheduleTab(new ModeTabButton(
          QStringLiteral("Planifié"), QStringLiteral("clock"), manager.isScheduleEnabled(),
          [this] { chooseMode(true); }, this))
    , m_modeHost(new TransitionHost(this))
    , m_duration(new DurationSection(
          sliderBinding(manager), [this](double minutes) { addTime(minutes); }, m_modeHost))
    , m_schedule(new ScheduleSection(bindProperty(&manager, &SleepManager::scheduledTime,
                                                  &SleepManager::setScheduledTime,
                                                  &SleepManager::scheduledTimeChanged),
                                     manager.host().machine, m_modeHost))
    , m_options{new FeatureToggle(bindProperty(&manager, &SleepManager::isFadeOutEnabled,
                                               &SleepManager::setFadeOutEnabled,
                                               &SleepManager::isFadeOutEnabledChanged),
                                  QStringLiteral("speaker.wave.2.fill"), QStringLiteral("Volume"),
                                  this),
                new FeatureToggle(bindProperty(&manager, &SleepManager::isScreenDimmingEnabled,
                                               &SleepManager::setScreenDimmingEnabled,
                                               &SleepManager::isScreenDimmingEnabledChanged),
                                  QStringLiteral("sun.min.fill"), QStringLiteral("Écran"), this),
                new FeatureToggle(bindProperty(&manager, &SleepManager::isLEDOff,
                                               &SleepManager::setLEDOff,
                                               &SleepManager::isLEDOffChanged),
                                  QStringLiteral("lightbulb.slash"), QStringLiteral("LED"), this)}
    , m_showsSchedule(!manager.isScheduleEnabled()) // so that showMode() shows the mode
{
    // The size hint is the content; given more height, the content stays centred and the
    // shadows and glow that spill past it have room.
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Expanding);
    m_duration->hide(); // until the host shows one of them
    m_schedule->hide();
    // The sections keep to the top while the slot's height glides between theirs.
    m_modeHost->setAlignment(Qt::AlignTop | Qt::AlignHCenter);
    m_modeHost->lower(); // a section on its way out passes under the options
    showMode();
    connect(&manager, &SleepManager::isScheduleEnabledChanged, this, &SetupView::showMode);
}

void SetupView::addTime(double minutes)
{
    animated(DesignSystem::Animations::energetic, [this, minutes] {
        const double total =
            std::clamp(m_manager.sessionDuration() / 60.0 + minutes, kMinMinutes, kMaxMinutes);
        m_manager.setSessionDuration(total * 60.0);
    });
}

void SetupView::chooseMode(bool schedule)
{
    animated(DesignSystem::Animations::spring,
             [this, schedule] { m_manager.setScheduleEnabled(schedule); });
}

void SetupView::showMode()
{
    // The model announces every assignment, the same mode again included.
    const bool schedule = m_manager.isScheduleEnabled();
    if (schedule == m_showsSchedule)
        return;
    m_showsSchedule = schedule;
    m_timerTab->setSelected(!schedule);
    m_scheduleTab->setSelected(schedule);
    if (schedule)
        m_modeHost->setView(m_schedule, kScheduleTransition);
    else
        m_modeHost->setView(m_duration, kDurationTransition);
}

QSize SetupView::sizeHint() const
{
    return {kPreferredWidth, contentHeight()};
}

int SetupView::contentHeight() const
{
    return frameSizeOf(m_timerTab).height() + kSpacing + m_modeHost->sizeHint().height() + kSpacing
        + frameSizeOf(m_options.front()).height();
}

bool SetupView::event(QEvent *event)
{
    // The mode's slot glides between the two sections' heights.
    if (event->type() == QEvent::LayoutRequest) {
        layOut();
        updateGeometry();
    }
    return QWidget::event(event);
}

void SetupView::resizeEvent(QResizeEvent *)
{
    layOut();
}

void SetupView::layOut()
{
    const int centreX = width() / 2;
    int y = std::max(0, (height() - contentHeight()) / 2);
    const int tabHeight = frameSizeOf(m_timerTab).height();
    placeRow({m_timerTab, m_scheduleTab}, 0, {centreX, y + tabHeight / 2});
    y += tabHeight + kSpacing;
    // Down to the bottom, so a section sliding out is not cut at the slot's edge.
    m_modeHost->setGeometry(0, y, width(), height() - y);
    y += m_modeHost->sizeHint().height() + kSpacing;
    const QList<QWidget *> options(m_options.begin(), m_options.end());
    placeRow(options, kOptionSpacing, {centreX, y + rowSize(options, kOptionSpacing).height() / 2});
    update();
}

QRect SetupView::modeSwitchFrame() const
{
    return QRect(m_timerTab->geometry().marginsRemoved(m_timerTab->contentsMargins()))
        .united(m_scheduleTab->geometry().marginsRemoved(m_scheduleTab->contentsMargins()));
}

void SetupView::paintEvent(QPaintEvent *)
{
    // The switch's glass capsule behind both tabs.
    const QRect frame = modeSwitchFrame();
    QPainter painter(this);
    // A pixel around it holds the outline's outer half.
    m_switchPicture.paint(painter, frame.adjusted(-1, -1, 1, 1), {}, [frame](QPainter &picture) {
        const QPainterPath outline = capsule(QRectF(frame));
        picture.setRenderHint(QPainter::Antialiasing);
        picture.fillPath(outline, DesignSystem::Colors::glassBackground);
        picture.strokePath(outline, QPen(DesignSystem::Colors::glassBorder, kSwitchOutlineWidth));
    });
}

} // namespace velorinth
