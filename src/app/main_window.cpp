#include "app/main_window.h"

#include "app/rounded_corners.h"
#include "platform/qt/x11_requests.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QStyleHints>
#include <QWindow>

#include <utility>

namespace velorinth {

MainWindow::MainWindow(QWidget *content)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint)
    , m_content(content)
{
    setWindowTitle(QStringLiteral("Velorinth"));
    content->setParent(this);
    content->move(0, 0);
    setFixedSize(content->size());
    if (X11Requests::compositorRunning()) {
        setAttribute(Qt::WA_TranslucentBackground);
        auto *corners = new RoundedCorners(kCornerRadius, nullptr, this);
        corners->setGeometry(rect());
    }
}

void MainWindow::showEvent(QShowEvent *)
{
    X11Requests::keepSize(winId());
}

void MainWindow::hideEvent(QHideEvent *)
{
    // A window manager places a window anew at each showing unless the window says where it
    // goes: it comes back where the user dragged it.
    if (windowHandle())
        windowHandle()->setPosition(pos());
}

void MainWindow::changeEvent(QEvent *event)
{
    // For window managers that maximise it all the same (a key, a double click).
    constexpr Qt::WindowStates kResized = Qt::WindowMaximized | Qt::WindowFullScreen;
    if (event->type() == QEvent::WindowStateChange && (windowState() & kResized))
        setWindowState(windowState() & ~kResized);
    QWidget::changeEvent(event);
}

void MainWindow::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    m_pressedAt = event->globalPosition().toPoint();
    m_movedBySystem = false;
}

void MainWindow::mouseMoveEvent(QMouseEvent *event)
{
    const QPoint pointer = event->globalPosition().toPoint();
    if (m_dragOffset) {
        move(pointer - *m_dragOffset);
        return;
    }
    // A move starts only once the pointer has gone a drag's distance with the button held: a
    // window manager handed a click whose release came before its grab would move the window
    // with no button held, until the next click.
    if (!m_pressedAt || !(event->buttons() & Qt::LeftButton)
        || (pointer - *m_pressedAt).manhattanLength()
            < QGuiApplication::styleHints()->startDragDistance())
        return;
    const QPoint pressedAt = *std::exchange(m_pressedAt, std::nullopt);
    // The window manager moves the window best: it knows the other windows and the screens.
    m_movedBySystem = X11Requests::startMove(winId(), (pointer - pressedAt) * devicePixelRatioF());
    if (m_movedBySystem || (windowHandle() && windowHandle()->startSystemMove()))
        return;
    m_dragOffset = pressedAt - pos();
    move(pointer - *m_dragOffset);
}

void MainWindow::mouseReleaseEvent(QMouseEvent *)
{
    // Here only when the window manager has not taken the pointer yet.
    if (std::exchange(m_movedBySystem, false))
        X11Requests::cancelMove(winId());
    m_pressedAt.reset();
    m_dragOffset.reset();
}

} // namespace velorinth
