#pragma once

#include "design/paint_cache.h"
#include "design/text_line.h"

#include <QWidget>

#include <array>
#include <functional>

namespace velorinth {

class MenuBarAdjustButton;
class ProgressRing;
class PulseEffect;
class RollingDigits;
class RoundSymbolButton;
class SleepManager;

// The panel while a session runs: a small ring with a moon, the time left over its
// caption, a thin progress bar, buttons that take off or add minutes, and a stop button
// that asks first. In the last five minutes it turns pink and the moon pulses.
class MenuBarActiveView : public QWidget
{
    Q_OBJECT

public:
    // askToStop: puts the stop question to the user.
    MenuBarActiveView(SleepManager &manager, std::function<void()> askToStop,
                      QWidget *parent = nullptr);

    // The part of the session still to run, 0 when there is no length to divide by.
    [[nodiscard]] static double progress(double timeRemaining, double totalDuration);

    [[nodiscard]] QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void refresh();
    void setUrgent(bool urgent);
    void progressMoved();
    // The fraction's smallest move that the bar shows.
    [[nodiscard]] double barStep() const;
    // The ring and the bar, kept as a picture.
    void paintShapes(QPainter &painter) const;
    [[nodiscard]] qreal barWidth(double shown) const;
    [[nodiscard]] QRectF ringFrame() const;
    [[nodiscard]] QRectF timeArea() const;
    [[nodiscard]] QRectF barFrame() const;
    [[nodiscard]] qreal columnTop() const;
    [[nodiscard]] qreal controlsTop() const;
    [[nodiscard]] qreal controlsHeight() const;

    SleepManager &m_manager;
    bool m_urgent;
    ProgressRing *m_ring;
    PulseEffect *m_pulse;
    RollingDigits *m_time;
    TextLine m_caption;
    TextLine m_urgentCaption;
    PaintCache m_cache;
    PaintCache m_moon; // painted at the pulse's opacity
    std::array<MenuBarAdjustButton *, 3> m_adjust;
    RoundSymbolButton *m_stop;
};

} // namespace velorinth
