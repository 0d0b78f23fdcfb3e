#pragma once

#include <QColor>
#include <QObject>
#include <QPointF>

class QPainter;
class QWidget;

namespace velorinth {

class FrameClock;

// The busy indicator: spokes round a centre, fading behind the brightest one, which steps
// round a full turn a second. Only a step asks for a repaint, and the spinning holds still
// while its view cannot be seen. The owner paints it and repaints on changed().
class Spinner : public QObject
{
    Q_OBJECT

public:
    // view: the widget that paints it, and its parent.
    explicit Spinner(QWidget *view);

    void setSpinning(bool spinning);
    [[nodiscard]] bool isSpinning() const;
    // The brightest spoke, counted clockwise from 12 o'clock.
    [[nodiscard]] int step() const { return m_step; }
    void paint(QPainter &painter, QPointF centre, qreal diameter, const QColor &colour) const;

Q_SIGNALS:
    void changed();

private:
    void ticked();

    FrameClock *m_clock;
    int m_step = 0; // the brightest spoke
};

} // namespace velorinth
