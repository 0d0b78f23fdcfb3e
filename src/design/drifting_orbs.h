#pragma once

#include "design/animated_change.h"

#include <QColor>
#include <QImage>
#include <QObject>
#include <QPointF>
#include <QRectF>

#include <optional>
#include <vector>

class QPainter;
class QWidget;

namespace velorinth {

class AnimatedValue;
class FrameClock;

// An opaque dark ground with large blurred circles of colour drifting slowly back and
// forth across it, for ever, while drifting is on. The circles are blurred once into
// images the layer keeps, rebuilt only when the field's size or pixel ratio changes, and
// each frame only moves them. The owner paints it first in its paintEvent and repaints
// on changed().
class DriftingOrbs : public QObject
{
    Q_OBJECT

public:
    struct Orb
    {
        QColor colour; // opacity included
        qreal diameter;
        QPointF from; // the centre's offset from the field's centre when the drift starts
        QPointF to; // and at its other end
    };
    // Darkens the ground towards its edges: clear up to clearRadius from the centre,
    // colour at fullRadius and beyond.
    struct Vignette
    {
        qreal clearRadius;
        qreal fullRadius;
        QColor colour;
    };
    struct Layout
    {
        QColor ground;
        qreal blurRadius; // the Gaussian's standard deviation, in points
        std::vector<Orb> orbs; // back to front
        std::optional<Vignette> vignette;
    };

    // The main window's ground: three orbs and a vignette.
    [[nodiscard]] static Layout windowLayout();
    // The panel's: two circles whose colours swap while a session runs.
    [[nodiscard]] static Layout panelLayout(bool sessionRunning);

    // view is the widget that paints the layer, and its parent: the drift holds still
    // while that widget cannot be seen.
    explicit DriftingOrbs(const Layout &layout, QWidget *view = nullptr);

    // On: the orbs glide from their first positions to the others in 10 s, ease in and
    // out, and back, for ever. Off: they are back at their first positions at once and
    // nothing ticks.
    void setDrifting(bool drifting);
    [[nodiscard]] bool isDrifting() const;
    // Takes the colours of `like`, a layout with the same orbs.
    void recolour(const Layout &like, const Animation &animation = currentAnimation());

    void paint(QPainter &painter, const QRectF &field);
    // Names the blurred orbs as last rendered; it changes whenever they are rendered anew.
    [[nodiscard]] quint64 cacheKey() const { return m_cacheKey; }

Q_SIGNALS:
    void changed();

private:
    struct Rendered
    {
        QImage mask; // the blurred circle, alpha only
        QImage tinted;
    };

    void ticked();
    void announce(double drift);
    void rebuild(QSizeF field, qreal pixelRatio);
    void compose();
    [[nodiscard]] QColor colourNow(size_t orb) const;

    Layout m_layout;
    std::vector<QColor> m_fromColours;
    AnimatedValue *m_recolouring; // 0 at m_fromColours, 1 at the layout's colours
    FrameClock *m_clock;
    // How many colour levels a pixel can change by, at most, while the drift goes from one
    // end to the other.
    double m_levelsPerDrift;
    // How far apart two ground pixels may be: the ground changes by at most one colour
    // level over this distance.
    double m_pointsPerLevel;
    double m_shownDrift = 0.0; // what the owner was last asked to show
    double m_composedDrift = -1.0;
    double m_composedRecolouring = -1.0;
    std::vector<Rendered> m_rendered;
    QImage m_vignette;
    QImage m_ground; // composed at a fraction of the device resolution
    QImage m_blocks; // the ground at the device resolution, each of its pixels a block
    int m_reduction = 1; // device pixels per ground pixel, each way
    QSizeF m_field;
    qreal m_pixelRatio = 0.0;
    quint64 m_cacheKey = 0;
};

} // namespace velorinth
