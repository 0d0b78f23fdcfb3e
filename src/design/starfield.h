#pragma once

#include <QImage>
#include <QObject>
#include <QRectF>
#include <QRegion>

#include <vector>

class QPainter;
class QWidget;

namespace velorinth {

class FrameClock;

// Small white dots that twinkle, each at its own pace, drawn by the owner into any rect.
// The stars are drawn into one cached layer, at the size, pixel ratio and opacity the
// owner tells; a twinkle step redraws only that star's pixels, and the owner repaints the
// area that changed() reports. A star is repainted once it has changed by a colour level
// as painted, at that opacity: one step of a faint star is less than a level. The field
// looks at its stars only as often as the fastest one takes to change by a couple of
// levels, and its clock sleeps in between.
class Starfield : public QObject
{
    Q_OBJECT

public:
    struct Star
    {
        int id;
        qreal size; // diameter in points
        qreal xPercent; // centre, as a fraction of the field's width
        qreal yPercent;
        double opacity; // at full brightness
        double animationDuration; // seconds of one pass between half and full brightness
        double animationDelay; // seconds before the first pass
    };

    // New random stars on every construction; a negative density counts as none. view
    // is the widget that paints the field, and its parent: the twinkling holds still
    // while that widget cannot be seen.
    explicit Starfield(int density, QWidget *view = nullptr);
    // The same stars again, twinkling in step with the field they come from.
    Starfield(std::vector<Star> stars, QWidget *view = nullptr);

    [[nodiscard]] const std::vector<Star> &stars() const { return m_stars; }
    // The field appeared: each star swings between half and full brightness after its delay.
    void start();
    // Holds the twinkle still, nothing ticks, until start() begins it anew.
    void stop();
    [[nodiscard]] bool isTwinkling() const;
    // The owner repaints the whole field now: the stars that changed are drawn with it,
    // unannounced, and the next look at them waits as long as after an announcement.
    void catchUp();
    // The star's opacity now, between half its opacity and its full opacity.
    [[nodiscard]] double currentOpacity(int id) const;

    // What the owner paints: never from a paint, which may be a grab at another size,
    // ratio or opacity.
    void setSize(QSizeF size);
    void setPixelRatio(qreal ratio);
    // The opacity the owner paints the field at, which sets how small a twinkle shows.
    void setOpacity(qreal opacity);

    // From the layer when field and the painter are what the owner said; else the stars
    // are drawn afresh, as a grab elsewhere wants them.
    void paint(QPainter &painter, const QRectF &field) const;

Q_SIGNALS:
    // Relative to the top left corner of the field it is painted in.
    void changed(const QRegion &area);

private:
    [[nodiscard]] int alphaLevel(int id) const;
    [[nodiscard]] QRegion changedStars() const;
    [[nodiscard]] int lookInterval() const;
    void paintStar(QPainter &painter, const Star &star, QSizeF field) const;
    void rebuildLayer();
    void redrawLayer(const QRegion &area);
    void ticked();

    std::vector<Star> m_stars;
    FrameClock *m_clock; // every star's twinkle is a formula of this one time
    bool m_started = false;
    std::vector<int> m_drawnLevels; // alpha of each star as it is in the layer
    QSizeF m_size;
    qreal m_pixelRatio = 1.0;
    qreal m_opacity = 1.0;
    QImage m_layer; // at m_size and m_pixelRatio; null while the size is empty
    QRegion m_starArea; // where stars are, in field coordinates: all a paint has to copy
};

} // namespace velorinth
