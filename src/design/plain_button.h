#pragma once

#include "design/paint_cache.h"

#include <QAbstractButton>

#include <functional>

namespace velorinth {

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
    // What screen readers call the button: the text it shows, or what its symbol does.
    void setLabel(const QString &label) { setAccessibleName(label); }
    // The frame without the margin.
    [[nodiscard]] virtual QSizeF frameSize() const = 0;
    virtual void hoverChanged() { }
    // What the look depends on besides being pressed (hover, selection, …) as numbers.
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
    PaintCache m_picture;
};

} // namespace velorinth
