#pragma once

#include "design/animation.h"
#include "design/paint_cache.h"

#include <QAbstractButton>

#include <functional>

namespace velorinth {

class AnimatedValue;

// A button that is nothing but its own painting: no bezel, a dimmed label while pressed,
// an action called on click, a fixed size. Its look may spill over the frame (shadows,
// glows, strokes centred on the outline), so the widget is the frame plus that spill; the
// frame is contentsRect(), and only the frame takes clicks and hover. The look is kept as
// a picture, drawn anew only when its key or the pressed state changes: the ground below
// repaints every button at each step of its drift.
class PlainButton : public QAbstractButton
{
    Q_OBJECT

public:
    PlainButton(std::function<void()> action, const QMarginsF &spill, QWidget *parent);

    [[nodiscard]] bool isHovered() const { return m_hovered; }
    [[nodiscard]] QSize sizeHint() const override;

protected:
    // What the button is called, by screen readers and whoever looks for it: the text it
    // shows, or what its symbol does. Kept as the button's text, which nothing paints.
    void setLabel(const QString &label) { setText(label); }
    // The look follows the pointer: hover() moves from 0 to 1 with animation as the pointer
    // comes, and back as it goes, and the look is drawn anew as it moves.
    void followHover(const Animation &animation);
    // 0 resting, 1 under the pointer, and between while moving; 0 for a look that does not
    // follow the pointer.
    [[nodiscard]] double hover() const;
    // The frame without the margin.
    [[nodiscard]] virtual QSizeF frameSize() const = 0;
    // What the look depends on besides being pressed and hovered (selection, …) as numbers.
    [[nodiscard]] virtual PaintCache::Key lookKey() const { return {}; }
    // The whole look, spill included, within the widget.
    virtual void paintLook(QPainter &painter) const = 0;
    // Something the key does not tell has changed (a new text): the look is drawn anew.
    void lookChanged();
    // Opacity the label is painted at: dimmed while pressed.
    [[nodiscard]] qreal labelOpacity() const;
    [[nodiscard]] QRectF frame() const;

    bool hitButton(const QPoint &pos) const override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void setHovered(bool hovered);

    std::function<void()> m_action;
    bool m_hovered = false;
    AnimatedValue *m_hover = nullptr;
    Animation m_hoverAnimation = Animation::none();
    PaintCache m_picture;
};

} // namespace velorinth
