#pragma once

#include "app/panel_placement.h"
#include "design/soft_shadow.h"

#include <QMargins>
#include <QPointer>
#include <QWidget>

#include <functional>

namespace velorinth {

class RoundedCorners;

// The floating panel that opens at the tray icon: a frameless pop-up holding one content
// widget, sized to the content's size hint and placed at the icon, clear of the desktop's bars.
// Under a compositor it has round corners and a soft shadow, drawn in a transparent margin around
// the content; without one it is a plain rectangle. A click anywhere outside it, in any
// application, and Escape close it (dismiss()); closing deletes it.
class PanelWindow final : public QWidget
{
    Q_OBJECT

public:
    static constexpr qreal kCornerRadius = 12.0;

    // anchor: the tray icon's rectangle in global coordinates, or a 1 x 1 one at the pointer.
    explicit PanelWindow(const QRect &anchor);

    // Takes `content` in (as its child); the panel is then as large as its size hint says.
    void setContent(QWidget *content);
    // Sizes the panel to its content's size hint again, placed at the anchor as before:
    // call it whenever that hint changes.
    void fitContent();
    // Where the visible panel lies on the screen, without the shadow's margin.
    [[nodiscard]] QRect panelGeometry() const;
    // Runs `action`, which shows another window of the app, and stays open: Qt closes every
    // pop-up when a window shows.
    void keepOpenWhile(const std::function<void()> &action);
    // Closes the panel, whatever keeps it open: its own ways of closing (a press outside,
    // Escape, the tray icon). Qt's closing of pop-ups when the app loses the focus is refused,
    // but for a loss that lasts.
    void dismiss();

Q_SIGNALS:
    // A press outside the panel (global coordinates) is closing it.
    void pressedOutside(QPoint where);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    [[nodiscard]] QRect contentRect() const;

    QRect m_anchor;
    PanelPlacement::Desktop m_desktop; // as it was at the opening
    QMargins m_shadowRoom; // none without a compositor
    QMargins m_margins; // as much of it as the window has where it lies
    SoftShadow m_shadow;
    QPointer<QWidget> m_content;
    RoundedCorners *m_corners = nullptr;
    bool m_keepOpen = false;
    bool m_dismissed = false;
};

} // namespace velorinth
