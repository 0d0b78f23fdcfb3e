#pragma once

#include "design/animation.h"

#include <QColor>
#include <QObject>
#include <QPixmap>
#include <QRectF>

class QPainter;

namespace velorinth {

class Glide;

// A thin circular track and over it an arc from 12 o'clock clockwise to the progress,
// stroked with round caps in the sleep-progress gradient. A change glides linearly over
// a second, so a countdown that ticks once a second shrinks the arc continuously.
// The owner paints it from its paintEvent, repaints the area changed() reports, and
// tells it the pixel ratio of its screen, which sets how often the arc moves.
class ProgressRing : public QObject
{
    Q_OBJECT

public:
    // diameter: of the circle both strokes are centred on, in points.
    ProgressRing(qreal diameter, qreal lineWidth, qreal trackWidth, double progress = 0.0,
                 QObject *parent = nullptr);

    // A fraction of the full turn; outside 0…1 it shows as the nearer end. An instant
    // animation jumps there, for a ring that is not on screen; a timed curve only.
    void setProgress(double fraction, const Animation &animation = Animation::linear(1.0));
    [[nodiscard]] double progress() const;
    // What paint() draws.
    [[nodiscard]] double shownProgress() const;
    // On resize and screen change: never from a paint, which may be a grab at another ratio.
    void setPixelRatio(qreal ratio);
    // Of progress: the arc's end moving an eighth of a device pixel.
    [[nodiscard]] double visibleStep() const;
    // The owner shows the progress elsewhere too (a bar beside the ring), where a smaller
    // move already shows: the ring glides in the finer of the two steps.
    void setOwnerStep(double step);
    // One colour in place of the gradient; an invalid colour brings the gradient back.
    void setTint(const QColor &tint);
    [[nodiscard]] qreal diameter() const { return m_diameter; }
    // How far the strokes reach outside the diameter's square on each side.
    [[nodiscard]] qreal overhang() const;

    // frame: the square the circle is inscribed in.
    void paint(QPainter &painter, const QRectF &frame) const;

Q_SIGNALS:
    // Relative to the top left corner of the frame it is painted in.
    void changed(const QRectF &area);
    // At each step of the glide: what the owner shows of the progress besides the ring.
    void shownProgressChanged(double shown);

private:
    [[nodiscard]] QRectF circle() const;
    [[nodiscard]] QRectF arcArea(double from, double to) const;
    void renderTrack(qreal side, QPointF phase, qreal ratio) const;
    void glided(double shown);
    void followStep();

    qreal m_diameter;
    qreal m_lineWidth;
    qreal m_trackWidth;
    QColor m_tint;
    Glide *m_progress;
    double m_shown; // the last step announced
    qreal m_pixelRatio = 1.0;
    double m_ownerStep = 1.0;
    // A cache only: whatever it holds, a paint draws the same.
    mutable QPixmap m_track;
    mutable QPointF m_trackPhase; // where the track sits within its first device pixel
};

} // namespace velorinth
