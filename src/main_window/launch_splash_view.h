#pragma once

#include "design/text_line.h"
#include "main_window/launch_phase.h"

#include <QPixmap>
#include <QWidget>

#include <array>
#include <memory>
#include <vector>

namespace velorinth {

class Animation;
class AnimatedValue;
class ShootingStars;
class SplashPictures;

// The title card played once per run before the content shows: streaks shoot out, two
// gradient rings draw themselves round a glowing moon and keep turning, the name is written
// letter by letter over a growing underline, the tagline comes into focus, and the card
// fades away. Each phase it is given starts its own motion; nothing it starts is ever
// cancelled, and it only moves towards the phases' ends.
class LaunchSplashView : public QWidget
{
    Q_OBJECT

public:
    // Where each state value is headed: what the phases have set so far.
    struct State
    {
        bool starsLaunched;
        double ringTrim; // drawn fraction of both rings
        double outerRotation; // degrees
        double innerRotation;
        double ringGlow;
        bool moonVisible;
        double moonScale;
        int revealedLetters;
        double underlineWidth; // points
        double taglineOpacity;
        double taglineBlur; // points
        double splashOpacity;
        double splashScale;
    };

    explicit LaunchSplashView(LaunchPhase phase, QWidget *parent = nullptr);
    ~LaunchSplashView() override;

    // A new phase starts its steps, once the splash has been shown; before that it waits.
    void setPhase(LaunchPhase phase);
    [[nodiscard]] LaunchPhase phase() const { return m_phase; }
    [[nodiscard]] State state() const;

protected:
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    // The parts a change repaints, so that a frame where only the rings turn is small.
    enum Area { Whole, Emblem, Moon, Letters, Underline, Tagline, AreaCount };

    struct Letter
    {
        qreal centreX; // from the title's centre; the layout never changes
        AnimatedValue *shown; // 0 clear, 1 drawn
        AnimatedValue *emphasis; // 1 while it is the latest one revealed
    };

    [[nodiscard]] AnimatedValue *animatedValue(double initial, Area area);
    void prepareNextPicture();
    void handlePhaseChange(LaunchPhase phase);
    void drawMoon();
    void revealTitle();
    void setRingTrim(double trim, const Animation &animation);
    void showMoon();
    void setRevealedLetters(int count);

    // Everything that does not turn, once the card fades out.
    [[nodiscard]] const QPixmap &stillPicture(qreal pixelRatio);
    void paintGround(QPainter &painter, QPointF centre);
    void paintRings(QPainter &painter, QPointF centre) const;
    void paintMoon(QPainter &painter, QPointF centre) const;
    void paintTitle(QPainter &painter, QPointF centre) const;

    LaunchPhase m_phase;
    bool m_shown = false;
    std::array<QRect, AreaCount> m_areas;
    ShootingStars *m_stars;
    AnimatedValue *m_ringTrim;
    AnimatedValue *m_orbitDots; // their opacity
    AnimatedValue *m_outerRotation;
    AnimatedValue *m_innerRotation;
    AnimatedValue *m_ringGlow;
    bool m_moonVisible = false;
    AnimatedValue *m_moonScale;
    AnimatedValue *m_haloOpacity;
    int m_revealedLetters = 0;
    std::vector<Letter> m_letters;
    AnimatedValue *m_underlineWidth;
    AnimatedValue *m_taglineOpacity;
    AnimatedValue *m_taglineBlur;
    AnimatedValue *m_splashOpacity;
    AnimatedValue *m_splashScale;

    // Layout, from the widget's centre.
    qreal m_emblemY = 0.0;
    qreal m_lettersY = 0.0;
    qreal m_underlineY = 0.0;
    qreal m_taglineY = 0.0;
    QSizeF m_titleSize; // the letters'
    QSizeF m_taglineSize;

    std::unique_ptr<SplashPictures> m_pictures;
    QPixmap m_still;
};

} // namespace velorinth
