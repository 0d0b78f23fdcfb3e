#include "app/panel_window.h"

#include "app/desktop_area.h"
#include "app/rounded_corners.h"
#include "platform/qt/x11_requests.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QTimer>
#include <QWindow>

#include <chrono>
#include <cmath>

namespace velorinth {

namespace {

// A floating panel's shadow: darker and wider than a card's, as it lies over other windows.
SoftShadow panelShadow()
{
    return SoftShadow(QColor::fromRgbF(0.0f, 0.0f, 0.0f, 0.45f), 12.0, {0.0, 6.0});
}

// Long enough for a window manager to have given the focus back, also on a busy machine where
// the window that takes it maps late; a press outside still closes the panel at once.
constexpr std::chrono::milliseconds kFocusSettles(1500);

QMargins roundedUp(const QMarginsF &margins)
{
    return {int(std::ceil(margins.left())), int(std::ceil(margins.top())),
            int(std::ceil(margins.right())), int(std::ceil(margins.bottom()))};
}

} // namespace

PanelWindow::PanelWindow(const QRect &anchor)
    : QWidget(nullptr, Qt::Popup | Qt::FramelessWindowHint)
    , m_anchor(anchor)
    , m_desktop(DesktopArea::at(anchor.center()))
    , m_shadow(panelShadow())
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowRole(QStringLiteral("panel"));
    // A window of the app that takes the focus was raised by the window manager, maybe over
    // the panel, which lies over everything while it is open.
    connect(qGuiApp, &QGuiApplication::focusWindowChanged, this, &QWidget::raise);
    qApp->installEventFilter(this);
    if (X11Requests::compositorRunning()) {
        setAttribute(Qt::WA_TranslucentBackground);
        m_margins = roundedUp(m_shadow.reach());
        m_corners = new RoundedCorners(kCornerRadius, &m_shadow, this);
    }
}

void PanelWindow::setContent(QWidget *content)
{
    m_content = content;
    content->setParent(this);
    if (m_corners)
        m_corners->raise();
    fitContent();
}

void PanelWindow::fitContent()
{
    if (!m_content)
        return;
    const QSize size = m_content->sizeHint();
    const QPoint corner = PanelPlacement::topLeft(m_anchor, size, m_desktop);
    setGeometry(QRect(corner, size).marginsAdded(m_margins));
    m_content->setGeometry(contentRect());
    if (m_corners)
        m_corners->setGeometry(contentRect());
}

QRect PanelWindow::panelGeometry() const
{
    return geometry().marginsRemoved(m_margins);
}

QRect PanelWindow::contentRect() const
{
    return rect().marginsRemoved(m_margins);
}

void PanelWindow::keepOpenWhile(const std::function<void()> &action)
{
    m_keepOpen = true;
    action();
    m_keepOpen = false;
    raise();
}

void PanelWindow::dismiss()
{
    m_dismissed = true;
    close();
}

void PanelWindow::paintEvent(QPaintEvent *)
{
    if (m_margins.isNull())
        return;
    QPainter painter(this);
    m_shadow.paint(painter, contentRect(), kCornerRadius);
}

void PanelWindow::mousePressEvent(QMouseEvent *event)
{
    // Presses outside the window and on the shadow's margin come here, and so do presses
    // that the content left alone.
    if (contentRect().contains(event->position().toPoint()))
        return;
    Q_EMIT pressedOutside(event->globalPosition().toPoint());
    dismiss();
}

void PanelWindow::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape)
        dismiss();
    else
        QWidget::keyPressEvent(event);
}

bool PanelWindow::eventFilter(QObject *watched, QEvent *event)
{
    // Quitting closes every window, and a window that refuses stops the quitting.
    if (watched == qApp && event->type() == QEvent::Quit)
        m_dismissed = true;
    return false;
}

void PanelWindow::closeEvent(QCloseEvent *event)
{
    if (m_dismissed)
        return;
    if (m_keepOpen) {
        event->ignore();
        return;
    }
    // Qt closes pop-ups when the app loses the focus, which a window manager takes away for a
    // moment when the panel is pressed or a window shows: only a loss that lasts closes it.
    if (QGuiApplication::applicationState() == Qt::ApplicationActive)
        return;
    event->ignore();
    QTimer::singleShot(kFocusSettles, this, [this] {
        if (QGuiApplication::applicationState() != Qt::ApplicationActive)
            dismiss();
    });
}

} // namespace velorinth
