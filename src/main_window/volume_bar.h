#pragma once

#include "design/paint_cache.h"
#include "design/text_line.h"

#include <QColor>
#include <QWidget>

namespace velorinth {

class AnimatedValue;
class Glide;
class RollingDigits;

// The fading volume of the running screen: a speaker, "Volume en fondu" and the level
// applied now over a thin bar of the share of the starting volume left. Blue above half,
// purple above a fifth, pink below. The bar glides a second per change, the colours
// and the level's digits fade over 0.3 s, whatever animated the change.
class VolumeBar : public QWidget
{
    Q_OBJECT

public:
    // percent: the share of the starting volume left, 0…1; currentVolume: the level
    // applied now, in percent.
    VolumeBar(double percent, qint64 currentVolume, QWidget *parent = nullptr);

    void setVolume(double percent, qint64 currentVolume);
    [[nodiscard]] double percent() const { return m_percent; }
    [[nodiscard]] qint64 currentVolume() const { return m_currentVolume; }

    // Strictly above the thresholds: exactly half is purple, exactly a fifth pink.
    [[nodiscard]] static QColor barColor(double percent);
    // The speaker's waves, 1 to 3, strictly above 0.33 and 0.66 (not thirds).
    [[nodiscard]] static int speakerWaves(double percent);

    [[nodiscard]] QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    // Of the share: the bar's end moving an eighth of a device pixel.
    [[nodiscard]] double visibleStep() const;
    [[nodiscard]] QColor shownColour() const;
    [[nodiscard]] qreal rowHeight() const;
    void paintLook(QPainter &painter) const;

    double m_percent;
    qint64 m_currentVolume;
    TextLine m_caption;
    RollingDigits *m_level;
    Glide *m_fill; // the bar's share of the track
    AnimatedValue *m_look; // 0 the look before the latest change of colour, 1 the new one
    QColor m_fromColour;
    int m_fromWaves;
    PaintCache m_picture;
};

} // namespace velorinth
