#pragma once

#include "app/panel_placement.h"
#include "design/soft_shadow.h"

#include <QMargins>
#include <QPointer>
#include <QWidget>

namespace velorinth {

class RoundedCorners;

// The floating panel that opens at the tray icon: a frameless window above the others, holding
// one content widget, sized to the content's size hint and placed at the icon, clear of the
// desktop's bars. It holds neither the pointer nor the keyboard, so the app's other windows take
// their clicks while it is open; it takes the keyboard focus when it shows, and Escape closes it.
// Under a compositor it has round corners and a soft shadow, drawn in a transparent margin around
// the content; without one it is a plain rectangle. Closing deletes it.
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
    // Closes it on a press in another application, which leaves the keyboard focus to whatever
    // the press gave it to. Every other close gives the focus back to where it was at the opening.
    void closeOnPressElsewhere();

Q_SIGNALS:
    void closed();

protected:
    void paintEvent(QPaintEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
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
    WId m_focusBefore = 0; // X's keyboard focus when the panel took it
    bool m_givesFocusBack = true;
};

} // namespace velorinth
