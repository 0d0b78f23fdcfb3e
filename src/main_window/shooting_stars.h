#pragma once

#include <QColor>
#include <QImage>
#include <QObject>
#include <QRectF>

#include <vector>

class QPainter;
class QWidget;

namespace velorinth {

class FrameClock;

// Seventy coloured streaks that shoot out from the centre of a field, each on its own
// delay, and stay where they land. The streaks are drawn together into one layer that the
// owner blits; the layer is redrawn only while some streak still flies, from pictures of
// the streaks made once (a gradient per streak and frame would cost milliseconds).
class ShootingStars : public QObject
{
    Q_OBJECT

public:
    static constexpr int kCount = 70;

    struct Star
    {
        int id;
        double angle; // direction of flight, radians, clockwise from 3 o'clock
        double speed; // the fraction of the centre-to-corner distance it travels
        double length; // points, in flight
        double thickness; // points
        double opacity; // of its bright end, in flight
        double delay; // seconds before it starts
        double hue; // picks its colour
    };

    // view paints the layer and is its parent.
    explicit ShootingStars(QWidget *view);

    // The same 70 records every time: a generator with a fixed seed.
    [[nodiscard]] static std::vector<Star> makeStars();
    [[nodiscard]] static QColor starColor(double hue);
    [[nodiscard]] const std::vector<Star> &stars() const { return m_stars; }

    // Sends every streak on its way; they never come back.
    void launch();
    [[nodiscard]] bool isLaunched() const { return m_launched; }

    void paint(QPainter &painter, const QRectF &field);

Q_SIGNALS:
    void changed();

private:
    [[nodiscard]] double flightAt(const Star &star) const;
    void renderSprites(qreal pixelRatio);
    void renderLayer(QSizeF field, qreal pixelRatio);

    std::vector<Star> m_stars;
    bool m_launched = false;
    FrameClock *m_clock; // time since the launch, while a streak flies
    std::vector<QImage> m_sprites; // each streak at full length, one per star
    QImage m_layer;
    double m_layerTime = -1.0; // the flight time the layer shows
};

} // namespace velorinth
