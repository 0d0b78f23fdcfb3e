#pragma once

#include "design/binding.h"
#include "design/paint_cache.h"

#include <QWidget>

#include <optional>

namespace velorinth {

class AnimatedValue;

// The duration slider: a glass track, the accent fill up to the value and a white thumb.
// Dragging the thumb writes the bound value continuously; the drawn value is never
// clamped, keeping it within the range is the owner's business. It follows changes made
// elsewhere with whatever animation carried them, and adds none of its own.
class PremiumSlider : public QWidget
{
    Q_OBJECT

public:
    struct Range
    {
        double lower;
        double upper;
    };

    PremiumSlider(Binding<double> value, Range range, QWidget *parent = nullptr);

    [[nodiscard]] QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void refresh();
    void paintLook(QPainter &painter) const;
    [[nodiscard]] QRectF track() const;
    [[nodiscard]] qreal fraction(double value) const;
    [[nodiscard]] QRectF thumb(double value) const;

    Binding<double> m_value;
    Range m_range;
    AnimatedValue *m_shown; // the value as drawn
    PaintCache m_picture;
    std::optional<QPointF> m_pressPosition; // set while a press on the thumb is held
    bool m_dragging = false;
};

} // namespace velorinth
