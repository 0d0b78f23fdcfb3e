#include "main_window/splash_pictures.h"

#include "design/color_math.h"
#include "design/design_system.h"
#include "design/gaussian_blur.h"
#include "design/symbols.h"

#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>

#include <algorithm>
#include <array>
#include <cmath>

namespace velorinth {

namespace {
constexpr qreal kOuterRingSize = 120.0;
constexpr qreal kOuterRingWidth = 2.0;
constexpr qreal kInnerRingSize = 88.0;
constexpr qreal kInnerRingWidth = 1.5;
constexpr qreal kMoonSize = 38.0;
constexpr qreal kMoonBlueBlur = 16.0;
constexpr qreal kMoonPurpleBlur = 8.0;
constexpr qreal kHaloSize = 50.0;
constexpr qreal kWideGlowSize = 360.0;
constexpr qreal kWideGlowBlur = 40.0;
constexpr qreal kNarrowGlowSize = 240.0;
constexpr qreal kUnderlineWidth = 160.0;
constexpr qreal kUnderlineHeight = 1.5;
constexpr qreal kEmphasisScale = 1.08;
// The tagline's blur is pre-rendered at these radii and cross-faded in between; 0 is the
// sharp text itself.
constexpr std::array<qreal, 5> kTaglineBlurs{0.0, 1.0, 2.0, 4.0, 8.0};

QSizeF square(qreal side)
{
    return {side, side};
}

QRectF centred(QSizeF size)
{
    return {QPointF(-size.width() / 2, -size.height() / 2), size};
}

// Colours clockwise from 3 o'clock, evenly spread; Qt's conical gradient runs the other way.
QConicalGradient clockwiseGradient(const std::vector<QColor> &colours)
{
    QConicalGradient gradient(0.0, 0.0, 0.0);
    const qreal step = 1.0 / (colours.size() - 1);
    qreal at = 0.0;
    for (const QColor &colour : colours) {
        gradient.setColorAt(1.0 - at, colour);
        at += step;
    }
    return gradient;
}

QLinearGradient letterFill(qreal height)
{
    QLinearGradient gradient(0.0, -height / 2, 0.0, height / 2);
    gradient.setColorAt(0.0, Qt::white);
    gradient.setColorAt(1.0, withOpacity(Qt::white, 0.8));
    return gradient;
}

void paintMoonSymbol(QPainter &painter)
{
    QLinearGradient fill(0.0, 0.0, 1.0, 1.0);
    fill.setCoordinateMode(QGradient::ObjectMode);
    fill.setColorAt(0.0, Qt::white);
    fill.setColorAt(1.0, withOpacity(DesignSystem::Colors::appleBlue, 0.8));
    Symbols::paint(painter, QStringLiteral("moon.stars.fill"), {}, kMoonSize, QFont::Light, fill);
}

// Turns what has been drawn into its own silhouette in colour.
void tint(QPainter &painter, const QColor &colour)
{
    painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
    painter.fillRect(QRectF(-1e4, -1e4, 2e4, 2e4), colour);
}
} // namespace

SplashPictures::RingStyle SplashPictures::ringStyle(qreal diameter, qreal width,
                                                    const std::vector<QColor> &colours)
{
    return {diameter, width, clockwiseGradient(colours), TurningRing(diameter, width, colours)};
}

qreal SplashPictures::ringReach()
{
    return (kOuterRingSize + kOuterRingWidth) / 2;
}

SplashPictures::SplashPictures(const std::vector<TextLine> &letters, const TextLine &tagline)
    : m_tagline(tagline)
    , m_wideGlow(square(kWideGlowSize), kWideGlowBlur,
                 [](QPainter &painter) {
                     using namespace DesignSystem::Colors;
                     QRadialGradient gradient(QPointF(), kWideGlowSize / 2);
                     gradient.setColorAt(0.0, withOpacity(appleBlue, 0.28));
                     gradient.setColorAt(0.5, withOpacity(applePurple, 0.15));
                     gradient.setColorAt(1.0, Qt::transparent);
                     painter.fillRect(centred(square(kWideGlowSize)), gradient);
                 })
    , m_narrowGlow(square(kNarrowGlowSize), 25.0,
                   [](QPainter &painter) {
                       QRadialGradient gradient(QPointF(), kNarrowGlowSize / 2);
                       gradient.setColorAt(0.0,
                                           withOpacity(DesignSystem::Colors::appleIndigo, 0.12));
                       gradient.setColorAt(1.0, Qt::transparent);
                       painter.fillRect(centred(square(kNarrowGlowSize)), gradient);
                   })
    // Both blurred discs kept as one picture: one blit a frame.
    , m_glow(square(kWideGlowSize + 2 * blurReach(kWideGlowBlur)), 0.0,
             [this](QPainter &painter) {
                 m_wideGlow.paint(painter, {});
                 m_narrowGlow.paint(painter, {});
             })
    , m_halo(square(kHaloSize), 20.0,
             [](QPainter &painter) {
                 painter.setPen(Qt::NoPen);
                 painter.setBrush(Qt::white);
                 painter.drawEllipse(QPointF(), kHaloSize / 2, kHaloSize / 2);
             })
    , m_moonBlueShadow(square(kMoonSize), kMoonBlueBlur,
                       [](QPainter &painter) {
                           paintMoonSymbol(painter);
                           tint(painter, withOpacity(DesignSystem::Colors::appleBlue, 0.9));
                       })
    // The second shadow falls from the moon together with its first one.
    , m_moonPurpleShadow(square(kMoonSize + 2 * blurReach(kMoonBlueBlur)), kMoonPurpleBlur,
                         [this](QPainter &painter) {
                             m_moonBlueShadow.paint(painter, {});
                             paintMoonSymbol(painter);
                             tint(painter, withOpacity(DesignSystem::Colors::applePurple, 0.4));
                         })
    , m_moon(square(kMoonSize + 2 * (blurReach(kMoonBlueBlur) + blurReach(kMoonPurpleBlur))), 0.0,
             [this](QPainter &painter) {
                 m_moonPurpleShadow.paint(painter, {});
                 m_moonBlueShadow.paint(painter, {});
                 paintMoonSymbol(painter);
             })
    , m_underline(QSizeF(kUnderlineWidth, kUnderlineHeight), 0.5, [](QPainter &painter) {
        using namespace DesignSystem::Colors;
        QLinearGradient gradient(-kUnderlineWidth / 2, 0.0, kUnderlineWidth / 2, 0.0);
        gradient.setColorAt(0.0, Qt::transparent);
        gradient.setColorAt(1.0 / 3.0, withOpacity(appleBlue, 0.6));
        gradient.setColorAt(2.0 / 3.0, withOpacity(applePurple, 0.6));
        gradient.setColorAt(1.0, Qt::transparent);
        painter.fillRect(centred({kUnderlineWidth, kUnderlineHeight}), gradient);
    })
{
    using namespace DesignSystem::Colors;
    m_rings.push_back(ringStyle(kOuterRingSize, kOuterRingWidth,
                                {appleBlue, applePurple, withOpacity(appleBlue, 0.3), appleBlue}));
    m_rings.push_back(ringStyle(
        kInnerRingSize, kInnerRingWidth,
        {applePurple, withOpacity(Qt::white, 0.8), withOpacity(appleIndigo, 0.4), applePurple}));

    for (const TextLine &glyph : letters) {
        const QSizeF cell = glyph.size();
        const auto glow = [glyph, cell](const QColor &colour) {
            return [glyph, cell, colour](QPainter &painter) {
                painter.setPen(QPen(letterFill(cell.height()), 1.0));
                glyph.paint(painter, {});
                tint(painter, colour);
            };
        };
        m_letters.push_back({glyph, BlurredSprite(cell, 4.0, glow(withOpacity(appleBlue, 0.2))),
                             BlurredSprite(cell, 12.0, glow(withOpacity(appleBlue, 0.8)))});
    }

    for (const qreal blur : kTaglineBlurs) {
        if (blur > 0.0) {
            m_blurredTaglines.emplace_back(m_tagline.size(), blur, [this](QPainter &painter) {
                painter.setPen(DesignSystem::Colors::textTertiary);
                m_tagline.paint(painter, {});
            });
        }
    }
}

bool SplashPictures::prepareNext(qreal pixelRatio)
{
    // Those that others are made of first, each a step of its own.
    for (const BlurredSprite *sprite : {&m_wideGlow, &m_narrowGlow, &m_glow, &m_halo,
                                        &m_moonBlueShadow, &m_moonPurpleShadow, &m_moon}) {
        if (sprite->prepare(pixelRatio))
            return true;
    }
    for (RingStyle &ring : m_rings) {
        if (ring.whole.prepare(pixelRatio))
            return true;
    }
    for (const LetterStyle &letter : m_letters) {
        if (letter.softGlow.prepare(pixelRatio) || letter.strongGlow.prepare(pixelRatio))
            return true;
    }
    if (m_underline.prepare(pixelRatio))
        return true;
    for (const BlurredSprite &tagline : m_blurredTaglines) {
        if (tagline.prepare(pixelRatio))
            return true;
    }
    return false;
}

void SplashPictures::paintGlow(QPainter &painter, QPointF centre) const
{
    m_glow.paint(painter, centre);
}

void SplashPictures::paintRing(QPainter &painter, Ring ring, QPointF centre, double trim,
                               double rotation)
{
    RingStyle &style = m_rings[ring];
    // The trim and the gradient both start at 3 o'clock: turned back a quarter, at the top.
    const double turn = rotation - 90.0;
    if (trim >= 1.0) {
        style.whole.paint(painter, centre, turn);
        return;
    }
    painter.save();
    painter.translate(centre);
    painter.rotate(turn);
    painter.setPen(QPen(style.gradient, style.width, Qt::SolidLine, Qt::RoundCap));
    painter.setBrush(Qt::NoBrush);
    painter.drawArc(centred(square(style.diameter)), 0, -qRound(trim * 360.0 * 16.0)); // clockwise
    painter.restore();
}

void SplashPictures::paintHalo(QPainter &painter, QPointF centre) const
{
    m_halo.paint(painter, centre);
}

void SplashPictures::paintMoon(QPainter &painter, QPointF centre) const
{
    m_moon.paint(painter, centre);
}

void SplashPictures::paintLetter(QPainter &painter, int index, QPointF centre, qreal emphasis) const
{
    const LetterStyle &letter = m_letters[index];
    const qreal strong = std::clamp(emphasis, 0.0, 1.0);
    const qreal opacity = painter.opacity();
    painter.save();
    painter.translate(centre);
    // A spring may carry the emphasis a little past 1, and the scale with it.
    if (const qreal scale = 1.0 + (kEmphasisScale - 1.0) * emphasis; scale != 1.0)
        painter.scale(scale, scale);
    if (strong < 1.0) {
        painter.setOpacity(opacity * (1.0 - strong));
        letter.softGlow.paint(painter, {});
    }
    if (strong > 0.0) {
        painter.setOpacity(opacity * strong);
        letter.strongGlow.paint(painter, {});
    }
    painter.setOpacity(opacity);
    painter.setPen(QPen(letterFill(letter.glyph.size().height()), 1.0));
    letter.glyph.paint(painter, {});
    painter.restore();
}

void SplashPictures::paintUnderline(QPainter &painter, QPointF centre, qreal width) const
{
    // Its gradient spans whatever width it has: the picture stretched.
    painter.save();
    painter.translate(centre);
    painter.scale(width / kUnderlineWidth, 1.0);
    m_underline.paint(painter, {});
    painter.restore();
}

void SplashPictures::paintTagline(QPainter &painter, QPointF centre, qreal blur) const
{
    const qreal opacity = painter.opacity();
    blur = std::clamp(blur, 0.0, kTaglineBlurs.back());
    // Between the two nearest pre-rendered blurs, the one fading into the other.
    size_t upper = 1;
    while (upper + 1 < kTaglineBlurs.size() && kTaglineBlurs[upper] < blur)
        ++upper;
    const qreal toUpper =
        (blur - kTaglineBlurs[upper - 1]) / (kTaglineBlurs[upper] - kTaglineBlurs[upper - 1]);
    for (const auto &[step, weight] :
         {std::pair{upper - 1, 1.0 - toUpper}, std::pair{upper, toUpper}}) {
        if (weight <= 0.0)
            continue;
        painter.setOpacity(opacity * weight);
        if (step == 0) {
            painter.setPen(DesignSystem::Colors::textTertiary);
            m_tagline.paint(painter, centre);
        } else {
            m_blurredTaglines[step - 1].paint(painter, centre);
        }
    }
    painter.setOpacity(opacity);
}

} // namespace velorinth
