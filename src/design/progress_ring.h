#pragma once

#include "design/animation.h"

#include <QColor>
#include <QObject>
#include <QPixmap>
#include <QRectF>

class QPainter;

namespace velorinth {

class AnimatedValue;

// A thin circular track and over it an arc from 12 o'clock clockwise to the progress,
// stroked with round caps in the sleep-progress gradient. A change glides linearly over
// a second, so a countdown that ticks once a second shrinks the arc continuously.
// The owner paints it from its paintEvent and repaints the area changed() reports.
class ProgressRing : public QObject
{
    Q_OBJECT

public:
    // diameter: of the circle both strokes are centred on, in points.
    ProgressRing(qreal diameter, qreal lineWidth, qreal trackWidth, double progress = 0.0,
                 QObject *parent = nullptr);

    // A fraction of the full turn; outside 0…1 it shows as the nearer end. An instant
    // animation jumps there, for a ring that is not on screen.
    void setProgress(double fraction, const Animation &animation = Animation::linear(1.0));
    [[nodiscard]] double progress() const;
    [[nodiscard]] double shownProgress() const;
    // One colour in place of the gradient; an invalid colour brings the gradient back.
    void setTint(const QColor &tint);
    [[nodiscard]] qreal diameter() const { return m_diameter; }
    // How far the strokes reach outside the diameter's square on each side.
    [[nodiscard]] qreal overhang() const;

    // frame: the square the circle is inscribed in.
    void paint(QPainter &painter, const QRectF &frame);

Q_SIGNALS:
    // In the coordinates of the last paint().
    void changed(const QRectF &area);

private:
    [[nodiscard]] QRectF circle() const;
    [[nodiscard]] QRectF arcArea(double from, double to) const;
    void renderTrack(qreal side, QPointF phase);
    void shownProgressChanged(double shown);

    qreal m_diameter;
    qreal m_lineWidth;
    qreal m_trackWidth;
    QColor m_tint;
    AnimatedValue *m_progress;
    QPixmap m_track;
    QPointF m_trackPhase; // where the track sits within its first device pixel
    QRectF m_frame; // of the last paint
    qreal m_pixelRatio = 1.0;
    double m_paintedProgress = 0.0;
};

} // namespace velorinth
