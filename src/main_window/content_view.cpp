#include "main_window/content_view.h"

#include "design/animated_change.h"
#include "design/confirmation_overlay.h"
#include "design/design_system.h"
#include "design/timeline.h"
#include "design/transition_host.h"
#include "engine/sleep_manager.h"
#include "engine/stop_question.h"
#include "main_window/active_view.h"
#include "main_window/background_view.h"
#include "main_window/content_header.h"
#include "main_window/controls/main_button.h"
#include "main_window/error_banner.h"
#include "main_window/launch_splash_view.h"
#include "main_window/setup_view.h"

#include <QApplication>
#include <QKeyEvent>

namespace velorinth {

namespace {
constexpr QSize kSize(320, 560);
constexpr int kButtonBottomPadding = 50;

Transition screenTransition(bool running)
{
    // Starting, the running screen grows in as the setup one shrinks away; stopping, the
    // running screen swells away as the setup one settles in.
    const auto scaled = [](qreal scale) {
        return Transition::opacity() + Transition::scale(scale);
    };
    return running ? Transition::asymmetric(scaled(0.9), scaled(1.1))
                   : Transition::asymmetric(scaled(1.1), scaled(0.9));
}

// The content comes in at 0.97 of its size, 18 points low, and rises into place. Scaling
// to 0.97 about a point 600 points below the centre is exactly that: (1 - 0.97) x 600 = 18.
Transition contentEntrance()
{
    constexpr qreal kScale = 0.97;
    constexpr qreal kDrop = 18.0;
    const QPointF anchor(0.5, 0.5 + kDrop / ((1.0 - kScale) * kSize.height()));
    return Transition::opacity() + Transition::scale(kScale, anchor);
}

const Transition kBannerTransition = Transition::move(Qt::TopEdge) + Transition::opacity();

// answering: an answer of the stop question has the focus, and Space or Return press it.
bool isShortcut(int key, bool answering)
{
    // Return, not the keypad's Enter.
    const bool toggles = key == Qt::Key_Space || key == Qt::Key_Return;
    return (toggles && !answering) || key == Qt::Key_Left || key == Qt::Key_Right;
}
} // namespace

ContentView::ContentView(SleepManager &manager, Launch launch, QWidget *parent)
    : QWidget(parent)
    , m_manager(manager)
    , m_launchPhase(launch == Launch::Play ? LaunchPhase::Hidden : LaunchPhase::Done)
    , m_background(new BackgroundView(this))
    , m_columnHost(new TransitionHost(this))
    , m_bannerHost(new TransitionHost(this))
{
    const StopQuestion stop = StopQuestion::on(manager.host());
    m_stopConfirmation = new ConfirmationOverlay(
        {stop.title, stop.message, stop.confirmLabel, stop.cancelLabel},
        [this] { animated(DesignSystem::Animations::spring, [this] { m_manager.stopTimer(); }); },
        this);
    setFixedSize(kSize);
    for (QWidget *layer : std::initializer_list<QWidget *>{m_background, m_columnHost})
        layer->setGeometry(rect());
    m_bannerHost->setGeometry(0, 0, width(), 0);
    m_bannerHost->setAlignment(Qt::AlignTop | Qt::AlignHCenter);

    makeColumn();
    m_showsRunningScreen = m_manager.isActive();
    m_screenHost->setView(makeScreen(m_showsRunningScreen), screenTransition(m_showsRunningScreen),
                          Animation::none(), TransitionHost::OnceLeft::Deleted);
    if (m_launchPhase == LaunchPhase::Done) {
        m_columnHost->setView(m_column, contentEntrance(), Animation::none());
    } else {
        m_splash = new LaunchSplashView(m_launchPhase, this);
        m_splash->setGeometry(rect());
        m_splash->stackUnder(m_bannerHost);
    }

    connect(&m_manager, &SleepManager::isActiveChanged, this, &ContentView::followSession);
    connect(&m_manager, &SleepManager::errorMessageChanged, this, &ContentView::followError);
    followError();
}

ContentView::~ContentView()
{
    qApp->removeEventFilter(this);
}

void ContentView::makeColumn()
{
    m_column = new QWidget(m_columnHost);
    m_column->hide(); // until the launch is done
    m_column->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    m_column->resize(kSize);
    // First, so that it lies under the screens: its glow takes neither room nor presses.
    m_mainButton = new MainButton(
        m_manager.isActive(), [this] { toggleTimer(); }, m_column);
    const QMargins spill = m_mainButton->contentsMargins();
    const QSize frame = m_mainButton->sizeHint().shrunkBy(spill);
    const QRect capsule(QPoint((kSize.width() - frame.width()) / 2,
                               kSize.height() - kButtonBottomPadding - frame.height()),
                        frame);
    m_mainButton->setGeometry(capsule.marginsAdded(spill));
    auto *header = new ContentHeader(m_column);
    header->setGeometry(0, 0, kSize.width(), header->sizeHint().height());
    // The screens take the height between the header and the capsule and centre their
    // content in it.
    m_screenHost = new TransitionHost(m_column);
    m_screenHost->setGeometry(0, header->height(), kSize.width(), capsule.top() - header->height());
}

QWidget *ContentView::makeScreen(bool running)
{
    // A new one each time, built from the engine as it is now.
    if (running)
        return new ActiveView(m_manager);
    return new SetupView(m_manager);
}

void ContentView::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    // Its first step leaves the hidden phase at once: it starts once.
    if (m_launchPhase == LaunchPhase::Hidden)
        startLaunchAnimation();
    qApp->installEventFilter(this);
    followWindow();
}

void ContentView::hideEvent(QHideEvent *event)
{
    qApp->removeEventFilter(this);
    followWindow();
    QWidget::hideEvent(event);
}

bool ContentView::event(QEvent *event)
{
    // The window passes these on to its shown children.
    if (event->type() == QEvent::WindowActivate || event->type() == QEvent::WindowDeactivate)
        followWindow();
    return QWidget::event(event);
}

void ContentView::followWindow()
{
    const QWidget *frame = window();
    m_background->setActive(isVisible() && frame->isActiveWindow() && !frame->isMinimized());
}

void ContentView::startLaunchAnimation()
{
    // The steps go with this content.
    const auto moveTo = [this](LaunchPhase phase) {
        return [this, phase] { setLaunchPhase(phase); };
    };
    Timeline::play(
        {
            {0.0, Animation::easeOut(0.3), moveTo(LaunchPhase::Particles)},
            {0.5, Animation::easeInOut(0.1), moveTo(LaunchPhase::MoonDraw)},
            {1.6, Animation::spring(0.5, 0.75), moveTo(LaunchPhase::TitleReveal)},
            {2.3, Animation::easeOut(0.5), moveTo(LaunchPhase::Tagline)},
            {3.2, Animation::spring(0.7, 0.85), moveTo(LaunchPhase::Revealing)},
            {3.8, Animation::easeInOut(0.4), moveTo(LaunchPhase::Done)},
        },
        this);
}

void ContentView::setLaunchPhase(LaunchPhase phase)
{
    m_launchPhase = phase;
    if (m_splash)
        m_splash->setPhase(phase);
    if (phase != LaunchPhase::Done)
        return;
    // In the last step's animation the content rises in. The splash has faded itself out
    // by now: it goes at once, rather than stay a layer that every frame of the ground
    // below paints through.
    m_columnHost->setView(m_column, contentEntrance());
    delete m_splash;
}

bool ContentView::eventFilter(QObject *watched, QEvent *event)
{
    // Taken before any control or dialog sees them; a shortcut override taken too, so
    // that no shortcut of a control runs instead.
    if (event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride) {
        const auto &key = static_cast<const QKeyEvent &>(*event);
        if (m_launchPhase == LaunchPhase::Done
            && isShortcut(key.key(), m_stopConfirmation->hasFocusedAnswer())) {
            if (event->type() == QEvent::KeyPress)
                runShortcut(key.key());
            event->accept();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void ContentView::runShortcut(int key)
{
    // Modifiers are not looked at: Ctrl+Left is Left.
    if (key == Qt::Key_Left || key == Qt::Key_Right)
        m_manager.addTime(key == Qt::Key_Left ? -5 : 5);
    else
        toggleTimer();
}

void ContentView::toggleTimer()
{
    if (m_manager.isActive()) {
        m_stopConfirmation->present();
        return;
    }
    animated(DesignSystem::Animations::spring, [this] { m_manager.startTimer(); });
}

void ContentView::followSession()
{
    const bool running = m_manager.isActive();
    m_mainButton->setActive(running, DesignSystem::Animations::spring);
    if (running == m_showsRunningScreen)
        return; // the engine announces unchanged values too
    m_showsRunningScreen = running;
    m_screenHost->setView(makeScreen(running), screenTransition(running),
                          DesignSystem::Animations::spring, TransitionHost::OnceLeft::Deleted);
}

void ContentView::followError()
{
    const std::optional<QString> message = m_manager.errorMessage();
    if (message && m_banner) {
        m_banner->setMessage(*message); // in place, no transition
        fitBannerLayer();
    } else if (message) {
        m_banner = new ErrorBanner(*message, [this] {
            animated(DesignSystem::Animations::spring,
                     [this] { m_manager.setErrorMessage(std::nullopt); });
        });
        fitBannerLayer();
        m_bannerHost->setView(m_banner, kBannerTransition, DesignSystem::Animations::spring,
                              TransitionHost::OnceLeft::Deleted);
    } else if (m_banner) {
        m_bannerHost->setView(nullptr, kBannerTransition, DesignSystem::Animations::spring);
        m_banner = nullptr; // its picture plays the way out
    }
}

void ContentView::fitBannerLayer()
{
    // The strip and its shadow, and no more: what lies below takes the other presses.
    m_bannerHost->setGeometry(0, 0, width(), m_banner->sizeHint().height());
}

} // namespace velorinth
