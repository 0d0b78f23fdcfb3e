#pragma once

#include "design/animated_change.h"
#include "design/drifting_orbs.h"

#include <QWidget>

namespace velorinth {

class AnimatedValue;
class Starfield;

// A window's whole ground: drifting orbs under a twinkling star field, painted opaque.
// The orbs repaint the ground when they have moved far enough to show; the stars repaint
// their own small areas when a twinkle shows, or with the orbs' next frame. Stars that
// are not shown do not twinkle.
class DriftingGround : public QWidget
{
    Q_OBJECT

public:
    DriftingGround(const DriftingOrbs::Layout &layout, int starDensity, qreal starOpacity,
                   QWidget *parent = nullptr);

    [[nodiscard]] DriftingOrbs &orbs() { return *m_orbs; }
    // Whether the stars are there at all; they fade in and out with the animation.
    void setStarsShown(bool shown, const Animation &animation = currentAnimation());
    [[nodiscard]] bool starsShown() const;

protected:
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    DriftingOrbs *m_orbs;
    Starfield *m_stars;
    qreal m_starOpacity;
    AnimatedValue *m_starsShown; // 0 none, 1 at m_starOpacity
};

} // namespace velorinth
