#pragma once

#include "design/text_line.h"
#include "main_window/blurred_sprite.h"
#include "main_window/turning_ring.h"

#include <QConicalGradient>

#include <vector>

class QPainter;

namespace velorinth {

// The launch splash's artwork that would cost too much per frame: the glows, the blurs and
// the gradient rings, each drawn once per pixel ratio and then only blitted. Everything is
// drawn centred on a given point, at the painter's opacity.
class SplashPictures
{
public:
    enum Ring { Outer, Inner };

    SplashPictures(const std::vector<TextLine> &letters, const TextLine &tagline);
    SplashPictures(const SplashPictures &) = delete;
    SplashPictures &operator=(const SplashPictures &) = delete;

    void paintGlow(QPainter &painter, QPointF centre) const;
    // The ring drawn from the top clockwise over `trim` of the turn, the whole of it turned
    // by `rotation` degrees clockwise.
    void paintRing(QPainter &painter, Ring ring, QPointF centre, double trim, double rotation);
    void paintHalo(QPainter &painter, QPointF centre) const;
    // The moon with its two coloured shadows.
    void paintMoon(QPainter &painter, QPointF centre) const;
    // The title's letter `index` in its gradient, over its glow: soft at emphasis 0,
    // strong at 1.
    void paintLetter(QPainter &painter, int index, QPointF centre, qreal emphasis) const;
    void paintUnderline(QPainter &painter, QPointF centre, qreal width) const;
    // The tagline blurred by `blur` points, 0 to 8.
    void paintTagline(QPainter &painter, QPointF centre, qreal blur) const;

    // Renders the next picture not yet rendered for that pixel ratio, in the order the
    // launch needs them; false once all are. Each one is a few milliseconds' work, so that
    // doing them one at a time between frames drops no frame.
    bool prepareNext(qreal pixelRatio);

    [[nodiscard]] static qreal ringReach(); // from the centre, strokes included

private:
    struct RingStyle
    {
        qreal diameter;
        qreal width;
        QConicalGradient gradient; // for drawing part of it
        TurningRing whole;
    };
    struct LetterStyle
    {
        TextLine glyph;
        BlurredSprite softGlow;
        BlurredSprite strongGlow;
    };

    [[nodiscard]] static RingStyle ringStyle(qreal diameter, qreal width,
                                             const std::vector<QColor> &colours);

    std::vector<RingStyle> m_rings;
    std::vector<LetterStyle> m_letters;
    TextLine m_tagline;
    std::vector<BlurredSprite> m_blurredTaglines; // one per step of the blur but 0
    BlurredSprite m_wideGlow;
    BlurredSprite m_narrowGlow;
    BlurredSprite m_glow;
    BlurredSprite m_halo;
    BlurredSprite m_moonBlueShadow;
    BlurredSprite m_moonPurpleShadow;
    BlurredSprite m_moon;
    BlurredSprite m_underline;
};

} // namespace velorinth
