#include "menu_bar/menu_bar_view.h"

#include "design/animated_change.h"
#include "design/animated_value.h"
#include "design/confirmation_overlay.h"
#include "design/design_system.h"
#include "design/transition_host.h"
#include "engine/sleep_manager.h"
#include "engine/stop_question.h"
#include "menu_bar/batt_install_sheet.h"
#include "menu_bar/divider.h"
#include "menu_bar/menu_bar_active_view.h"
#include "menu_bar/menu_bar_background.h"
#include "menu_bar/menu_bar_header.h"
#include "menu_bar/menu_bar_idle_view.h"
#include "menu_bar/menu_bar_toggles.h"

#include <QEvent>
#include <QVBoxLayout>

namespace velorinth {

namespace {
constexpr int kRunningHeight = 300;
constexpr int kScheduledHeight = 290;
constexpr int kIdleHeight = 280;
constexpr int kSessionPadding = 16; // above and below the session view
constexpr int kDividerInset = 20;
constexpr QMargins kTogglesPadding(16, 12, 16, 12);

Transition sessionTransition(bool active)
{
    const auto scaled = [](qreal scale) {
        return Transition::opacity() + Transition::scale(scale);
    };
    return active ? Transition::asymmetric(scaled(0.95), scaled(1.05))
                  : Transition::asymmetric(scaled(1.05), scaled(0.95));
}

QLayout *padded(QWidget *widget, const QMargins &padding)
{
    auto *box = new QVBoxLayout;
    box->setContentsMargins(padding);
    box->addWidget(widget);
    return box;
}
} // namespace

int MenuBarView::menuBarHeight(const SleepManager &manager)
{
    if (manager.isActive())
        return kRunningHeight;
    return manager.isScheduleEnabled() ? kScheduledHeight : kIdleHeight;
}

MenuBarView::MenuBarView(SleepManager &manager, MenuBarActions actions, QWidget *parent)
    : QWidget(parent)
    , m_manager(manager)
    , m_height(new AnimatedValue(menuBarHeight(manager), this))
    , m_panel(new QWidget(this))
    , m_background(new MenuBarBackground(manager.isActive(), m_panel))
    , m_column(new QWidget(m_panel))
    , m_session(new TransitionHost)
    , m_sheet(new BattInstallSheet(
          manager, [&manager] { manager.setShowBattInstallPrompt(false); }, this))
    , m_showsActive(manager.isActive())
{
    const StopQuestion stop = StopQuestion::on(manager.host());
    m_stopQuestion = new ConfirmationOverlay(
        {stop.title, stop.message, stop.confirmLabel, stop.cancelLabel},
        [&manager] { animated(DesignSystem::Animations::spring, [&] { manager.stopTimer(); }); },
        m_panel);
    auto *column = new QVBoxLayout(m_column);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(new MenuBarHeader(std::move(actions.openApp), std::move(actions.quit)));
    column->addWidget(new Divider(Qt::Horizontal));
    column->addLayout(padded(m_session, QMargins(0, kSessionPadding, 0, kSessionPadding)));
    column->addLayout(
        padded(new Divider(Qt::Horizontal), QMargins(kDividerInset, 0, kDividerInset, 0)));
    column->addLayout(padded(new MenuBarToggles(manager), kTogglesPadding));
    m_session->setView(newSessionView(m_showsActive), sessionTransition(m_showsActive),
                       Animation::none(), TransitionHost::OnceLeft::Deleted);

    connect(m_height, &AnimatedValue::valueChanged, this, &MenuBarView::announceSize);
    connect(&manager, &SleepManager::isActiveChanged, this, &MenuBarView::followSession);
    connect(&manager, &SleepManager::isScheduleEnabledChanged, this, &MenuBarView::followSession);
    connect(&manager, &SleepManager::showBattInstallPromptChanged, this,
            &MenuBarView::followPrompt);
    // A prompt raised while no panel was open shows at this opening.
    followPrompt();
    resize(sizeHint());
}

QWidget *MenuBarView::newSessionView(bool active)
{
    if (active)
        return new MenuBarActiveView(m_manager, [this] { m_stopQuestion->present(); });
    return new MenuBarIdleView(m_manager);
}

void MenuBarView::followSession()
{
    m_height->animateTo(menuBarHeight(m_manager), DesignSystem::Animations::spring);
    const bool active = m_manager.isActive();
    if (active == m_showsActive)
        return; // the model announces unchanged values too
    m_showsActive = active;
    m_background->setActive(active);
    // However the session ended, there is nothing left to stop.
    if (!active)
        m_stopQuestion->cancel();
    // A fresh view each time: nothing of an earlier session or hover carries over.
    m_session->setView(newSessionView(active), sessionTransition(active),
                       DesignSystem::Animations::spring, TransitionHost::OnceLeft::Deleted);
}

void MenuBarView::followPrompt()
{
    const bool shown = m_manager.showBattInstallPrompt();
    if (shown == !m_sheet->isHidden())
        return;
    m_sheet->setVisible(shown);
    // The sheet is opaque: nothing under it needs to move meanwhile.
    m_panel->setVisible(!shown);
    if (shown)
        m_sheet->raise();
    announceSize();
}

QSize MenuBarView::sizeHint() const
{
    const QSize panel(kWidth, qRound(m_height->value()));
    return m_sheet->isHidden() ? panel : panel.expandedTo(m_sheet->sizeHint());
}

void MenuBarView::announceSize()
{
    const QSize size = sizeHint();
    if (size == m_announcedSize)
        return;
    m_announcedSize = size;
    updateGeometry();
    Q_EMIT preferredSizeChanged();
}

bool MenuBarView::event(QEvent *event)
{
    // A child's size hint changed: the column's as the session view swaps, the sheet's
    // as its status line comes.
    if (event->type() == QEvent::LayoutRequest) {
        layOut();
        announceSize();
    }
    return QWidget::event(event);
}

void MenuBarView::showEvent(QShowEvent *event)
{
    m_background->setAnimate(true);
    QWidget::showEvent(event);
}

void MenuBarView::resizeEvent(QResizeEvent *)
{
    layOut();
}

void MenuBarView::layOut()
{
    m_panel->setGeometry(rect());
    m_background->setGeometry(m_panel->rect());
    const int columnHeight = m_column->sizeHint().height();
    m_column->setGeometry(0, (height() - columnHeight) / 2, width(), columnHeight);
    m_sheet->setGeometry(rect());
}

} // namespace velorinth
