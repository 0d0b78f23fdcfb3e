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
// The stars are drawn into one cached layer; a twinkle step redraws only that star's
// pixels, and the owner repaints the area that changed() reports.
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

    [[nodiscard]] const std::vector<Star> &stars() const { return m_stars; }
    // The field appeared: each star swings between half and full brightness after its delay.
    void start();
    // The star's opacity now, between half its opacity and its full opacity.
    [[nodiscard]] double currentOpacity(int id) const;

    void paint(QPainter &painter, const QRectF &field);

Q_SIGNALS:
    // In the coordinates of the last paint().
    void changed(const QRegion &area);

private:
    [[nodiscard]] int alphaLevel(int id) const;
    void rebuildLayer(QSizeF field, qreal pixelRatio);
    void redrawLayer(const QRegion &area);
    void ticked();

    std::vector<Star> m_stars;
    FrameClock *m_clock; // every star's twinkle is a formula of this one time
    bool m_twinkling = false;
    std::vector<int> m_drawnLevels; // alpha of each star as it is in the layer
    QImage m_layer;
    QRectF m_field;
    QRegion m_starArea; // where stars are, in field coordinates: all a paint has to copy
    QRegion m_stale;
};

} // namespace velorinth
