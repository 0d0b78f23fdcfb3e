#pragma once

#include "design/text_line.h"
#include "main_window/blurred_sprite.h"
#include "main_window/launch_phase.h"

#include <QWidget>

#include <vector>

namespace velorinth {

class Animation;
class AnimatedValue;
class ShootingStars;

// The title card played once per run before the content shows: streaks shoot out, two
// gradient rings draw themselves round a glowing moon and keep turning, the name is written
// letter by letter over a growing underline, the tagline comes into focus, and the card
// fades away. Each phase it is given starts its own motion; nothing it starts is ever
// cancelled, and it only moves towards the phases' ends.
class LaunchSplashView : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kTitleLength = 9;

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

    // A new phase starts its steps, once the splash has been shown; before that it waits.
    void setPhase(LaunchPhase phase);
    [[nodiscard]] LaunchPhase phase() const { return m_phase; }
    [[nodiscard]] State state() const;

protected:
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    struct Letter
    {
        TextLine glyph;
        qreal centreX; // from the title's centre; the layout never changes
        AnimatedValue *shown; // 0 clear, 1 drawn
        AnimatedValue *emphasis; // 1 while it is the latest one revealed
        BlurredSprite softGlow;
        BlurredSprite strongGlow;
    };

    void handlePhaseChange(LaunchPhase phase);
    void drawMoon();
    void revealTitle();
    void setRingTrim(double trim, const Animation &animation);
    void showMoon();
    void setRevealedLetters(int count);

    void layOut();
    void paintRings(QPainter &painter, QPointF centre) const;
    void paintMoon(QPainter &painter, QPointF centre) const;
    void paintTitle(QPainter &painter) const;
    void paintTagline(QPainter &painter, QPointF centre) const;

    LaunchPhase m_phase;
    bool m_shown = false;
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
    QRect m_emblemArea; // all that the rotations repaint

    TextLine m_tagline;
    std::vector<BlurredSprite> m_blurredTaglines; // one per step of kTaglineBlurs but 0
    BlurredSprite m_wideGlow;
    BlurredSprite m_narrowGlow;
    BlurredSprite m_glow;
    BlurredSprite m_halo;
    BlurredSprite m_moonBlueShadow;
    BlurredSprite m_moonPurpleShadow;
    BlurredSprite m_underline;
};

} // namespace velorinth
