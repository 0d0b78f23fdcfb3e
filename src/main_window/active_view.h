#pragma once

#include "design/paint_cache.h"
#include "design/soft_shadow.h"
#include "design/text_line.h"

#include <QWidget>

#include <array>

namespace velorinth {

class AdjustButton;
class AnimatedValue;
class ProgressRing;
class RollingLabel;
class SleepManager;
class StatusIndicator;
class TransitionHost;
class VolumeBar;

// The window's content while a session runs: the remaining time in a ring that empties
// as it runs down, the fading volume during the fade's last 15 minutes, five minutes
// less or more, and which options are on. Its remaining time is the matched element
// "timerText" of the screens' swap. Its size hint is its content; it takes any height
// and keeps the content centred, so give it the column between the header and the main
// button: the ring's glow spills past the content.
//
// The manager announces a session's start before its first remaining time: a swap that
// pictures this view should do so once startTimer() has returned.
class ActiveView : public QWidget
{
    Q_OBJECT

public:
    // manager must outlive the view.
    explicit ActiveView(SleepManager &manager, QWidget *parent = nullptr);

    // The share of the starting volume still applied; all of it when the session
    // started muted.
    [[nodiscard]] double volumePercent() const;

    [[nodiscard]] QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void refresh();
    void showOptions();
    void layOut();
    [[nodiscard]] int contentHeight() const;
    [[nodiscard]] QRectF ringFrame() const;
    [[nodiscard]] QRectF glowFrame() const;
    void paintRing(QPainter &painter) const;

    SleepManager &m_manager;
    SoftShadow m_glow;
    TextLine m_caption;
    ProgressRing *m_ring;
    RollingLabel *m_time;
    TransitionHost *m_barHost;
    VolumeBar *m_bar;
    AdjustButton *m_minus;
    std::array<StatusIndicator *, 3> m_indicators;
    AdjustButton *m_plus;
    AnimatedValue *m_fading; // 0 without the bar, 1 with it: the room it takes
    bool m_showsBar;
    int m_top = 0; // of the content, as laid out
    // The ring with its glow and caption: the ground below repaints it at every step of its
    // drift, the ring's arc a little of it now and then.
    PaintCache m_ringPicture;
};

} // namespace velorinth
