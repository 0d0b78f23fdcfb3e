#pragma once

#include <QPoint>
#include <QWidget>

#include <optional>

namespace velorinth {

// The app's one window: frameless, without close, minimise or zoom buttons, fixed to the size
// of its content, which reaches to every edge: never maximised nor full screen. It is dragged
// by any spot of the content that leaves the press alone, once the pointer has gone a drag's
// distance with the button held (a click leaves it be), and comes back where it was left.
// Under a compositor its corners are round.
class MainWindow final : public QWidget
{
    Q_OBJECT

public:
    static constexpr qreal kCornerRadius = 12.0;

    // Takes `content` in as its child.
    explicit MainWindow(QWidget *content);

    [[nodiscard]] QWidget *content() const { return m_content; }

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void changeEvent(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    QWidget *m_content;
    // Where the left button went down on the background, until the pointer has moved far
    // enough for a drag or the button came up.
    std::optional<QPoint> m_pressedAt;
    // Where the press took the window, while it is dragged by hand (no window manager moves it).
    std::optional<QPoint> m_dragOffset;
    // The window manager was asked to move the window with the pointer.
    bool m_movedBySystem = false;
};

} // namespace velorinth
