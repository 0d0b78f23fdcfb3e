#pragma once

#include <QObject>

class QWidget;

namespace velorinth {

class Glide;

// Fades something in and out without end while active. The owner paints at opacity()
// and repaints on opacityChanged().
class PulseEffect : public QObject
{
    Q_OBJECT

public:
    static constexpr double kDefaultMinOpacity = 0.4;
    static constexpr double kDefaultDuration = 0.8;

    // duration: seconds of one fade from full opacity down to minOpacity. view is the
    // widget that paints at opacity(), and its parent: the pulse holds still while that
    // widget cannot be seen.
    explicit PulseEffect(bool isActive, double minOpacity = kDefaultMinOpacity,
                         double duration = kDefaultDuration, QWidget *view = nullptr);

    void setActive(bool isActive);
    [[nodiscard]] bool isActive() const { return m_isActive; }
    // The smallest change of opacity worth a repaint: the pulse sleeps between such
    // steps. Until set, every frame's change is announced.
    void setStep(double opacity);
    // Full opacity whenever inactive, even while the pulse is still settling back.
    [[nodiscard]] double opacity() const;

Q_SIGNALS:
    void opacityChanged();

private:
    void update();

    bool m_isActive;
    double m_minOpacity;
    double m_duration;
    Glide *m_opacity;
};

} // namespace velorinth
