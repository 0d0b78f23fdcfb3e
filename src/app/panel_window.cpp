#include "app/panel_window.h"

#include "app/desktop_area.h"
#include "app/rounded_corners.h"
#include "design/frame_layout.h"
#include "platform/qt/x11_requests.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QWindow>

namespace velorinth {

namespace {

// A floating panel's shadow: darker and wider than a card's, as it lies over other windows.
SoftShadow panelShadow()
{
    return SoftShadow(QColor::fromRgbF(0.0f, 0.0f, 0.0f, 0.45f), 12.0, {0.0, 6.0});
}

} // namespace

// Out of the window manager's hands: one would push the shadow's margin off the bar, and the
// panel with it.
PanelWindow::PanelWindow(const QRect &anchor)
    : QWidget(nullptr,
              Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint
                  | Qt::X11BypassWindowManagerHint)
    , m_anchor(anchor)
    , m_desktop(DesktopArea::at(anchor.center()))
    , m_shadow(panelShadow())
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowRole(QStringLiteral("panel"));
    // Nothing else keeps the panel above a window of the app that takes the focus, as the one
    // its open-window button brings does.
    connect(qGuiApp, &QGuiApplication::focusWindowChanged, this, &QWidget::raise);
    if (X11Requests::compositorRunning()) {
        setAttribute(Qt::WA_TranslucentBackground);
        m_shadowRoom = spillMargins(m_shadow.reach());
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
    const QRect panel(PanelPlacement::topLeft(m_anchor, size, m_desktop), size);
    const QRect window = PanelPlacement::window(panel, m_shadowRoom, m_desktop);
    m_margins = {panel.left() - window.left(), panel.top() - window.top(),
                 window.right() - panel.right(), window.bottom() - panel.bottom()};
    setGeometry(window);
    X11Requests::setShadowExtents(winId(), m_margins);
    m_content->setGeometry(contentRect());
    if (!m_corners)
        return;
    m_corners->setGeometry(contentRect());
    // Presses on the shadow reach what it darkens, such as the bar and the tray's icon.
    const qreal ratio = devicePixelRatioF();
    X11Requests::takePressesOnlyIn(
        winId(),
        QRectF(QPointF(contentRect().topLeft()) * ratio, QSizeF(contentRect().size()) * ratio)
            .toAlignedRect());
}

QRect PanelWindow::panelGeometry() const
{
    return geometry().marginsRemoved(m_margins);
}

QRect PanelWindow::contentRect() const
{
    return rect().marginsRemoved(m_margins);
}

void PanelWindow::paintEvent(QPaintEvent *)
{
    if (m_shadowRoom.isNull())
        return;
    QPainter painter(this);
    m_shadow.paint(painter, contentRect(), kCornerRadius);
}

void PanelWindow::closeOnPressElsewhere()
{
    m_givesFocusBack = false;
    close();
}

void PanelWindow::showEvent(QShowEvent *)
{
    m_focusBefore = X11Requests::inputFocus();
    activateWindow(); // for Escape
}

void PanelWindow::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape)
        close();
    else
        QWidget::keyPressEvent(event);
}

void PanelWindow::closeEvent(QCloseEvent *)
{
    // Unless another window has taken it since: the window manager leaves a panel of its own
    // alone, and X would drop the focus on the desktop.
    if (m_givesFocusBack && X11Requests::inputFocus() == winId())
        X11Requests::restoreInputFocus(m_focusBefore);
    Q_EMIT closed();
}

} // namespace velorinth
