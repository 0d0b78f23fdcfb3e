#include "main_window/launch_splash_view.h"

#include "design/animated_change.h"
#include "design/animated_value.h"
#include "design/color_math.h"
#include "design/design_system.h"
#include "design/gaussian_blur.h"
#include "design/pause_while_hidden.h"
#include "design/symbols.h"
#include "design/timeline.h"
#include "main_window/shooting_stars.h"

#include <QConicalGradient>
#include <QPainter>
#include <QPointer>
#include <QRadialGradient>

#include <algorithm>
#include <cmath>

namespace velorinth {

namespace {
const QString kTitle = QStringLiteral("Velorinth");
const QString kMoonSymbol = QStringLiteral("moon.stars.fill");

// The emblem: two rings, a faint track between them, three dots orbiting with the outer
// ring, and the moon in the middle.
constexpr qreal kEmblemSize = 120.0;
constexpr qreal kOuterRingWidth = 2.0;
constexpr qreal kInnerRingSize = 88.0;
constexpr qreal kInnerRingWidth = 1.5;
constexpr qreal kTrackSize = 104.0;
constexpr qreal kOrbitRadius = 55.0;
constexpr qreal kDotSize = 3.0;
constexpr qreal kMoonSize = 38.0;
constexpr qreal kHaloSize = 50.0;
constexpr qreal kWideGlowSize = 360.0;
constexpr qreal kNarrowGlowSize = 240.0;

// The column of emblem and title, a little above the centre.
constexpr qreal kColumnSpacing = 32.0;
constexpr qreal kColumnLift = 10.0;
constexpr qreal kTitleSpacing = 10.0;
constexpr qreal kUnderlineHeight = 1.5;
constexpr qreal kUnderlineWidth = 160.0;
constexpr qreal kTaglinePadding = 4.0;
constexpr qreal kTaglineBlur = 8.0;
// The tagline's blur is pre-rendered at these radii and cross-faded in between; 0 is the
// sharp text itself.
constexpr std::array<qreal, 5> kTaglineBlurs{0.0, 1.0, 2.0, 4.0, 8.0};
constexpr qreal kEmphasisScale = 1.08;
constexpr double kLetterInterval = 0.06;
constexpr double kUnderlineDelayAfterLetters = 0.1;
constexpr double kMoonDelay = 0.7;

constexpr Animation kTrimDraw = Animation::easeInOut(1.0);
constexpr Animation kOuterTurn = Animation::linear(8.0).repeatedForever(false);
constexpr Animation kInnerTurn = Animation::linear(6.0).repeatedForever(false);
// The glow's own curve, which takes the place of the delayed ease-in its step asks for.
constexpr Animation kGlowRise = Animation::easeInOut(1.5);
constexpr Animation kMoonSpring = Animation::spring(0.45, 0.55);
constexpr Animation kLetterStep = Animation::spring(0.3, 0.65);
// The letter cells' own spring, which takes the place of kLetterStep for them.
constexpr Animation kLetterSpring = Animation::spring(0.3, 0.6);
constexpr Animation kUnderlineGrow = Animation::easeOut(0.4);
constexpr Animation kTaglineFocus = Animation::easeOut(0.6);
constexpr Animation kFadeOut = Animation::easeIn(0.5);

constexpr double orbitDotsOpacityFor(double ringTrim)
{
    return ringTrim > 0.5 ? 0.6 : 0.0;
}
constexpr double haloOpacityFor(double moonScale)
{
    return moonScale > 0.8 && moonScale < 1.05 ? 0.6 : 0.0;
}

// Colours clockwise from 3 o'clock, evenly spread; Qt's conical gradient runs the other way.
QConicalGradient clockwiseGradient(std::initializer_list<QColor> colours)
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

QRectF square(qreal side)
{
    return {-side / 2, -side / 2, side, side};
}

QLinearGradient letterFill(qreal height)
{
    QLinearGradient gradient(0.0, -height / 2, 0.0, height / 2);
    gradient.setColorAt(0.0, Qt::white);
    gradient.setColorAt(1.0, withOpacity(Qt::white, 0.8));
    return gradient;
}

QBrush moonFill()
{
    QLinearGradient gradient(0.0, 0.0, 1.0, 1.0);
    gradient.setCoordinateMode(QGradient::ObjectMode);
    gradient.setColorAt(0.0, Qt::white);
    gradient.setColorAt(1.0, withOpacity(DesignSystem::Colors::appleBlue, 0.8));
    return gradient;
}

void paintMoonSymbol(QPainter &painter)
{
    Symbols::paint(painter, kMoonSymbol, {}, kMoonSize, QFont::Light, moonFill());
}

// Turns what has been drawn into its own silhouette in colour.
void tint(QPainter &painter, const QColor &colour)
{
    painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
    painter.fillRect(QRectF(-1e4, -1e4, 2e4, 2e4), colour);
}

QFont taglineFont()
{
    QFont font = DesignSystem::Fonts::sans(12, QFont::Medium);
    font.setLetterSpacing(QFont::AbsoluteSpacing, 1.0);
    return font;
}

void paintRing(QPainter &painter, QPointF centre, qreal diameter, qreal width,
               const QConicalGradient &gradient, double trim, double rotation)
{
    painter.save();
    painter.translate(centre);
    // The trim and the gradient both start at 3 o'clock: turned back a quarter, at the top.
    painter.rotate(rotation - 90.0);
    painter.setPen(QPen(gradient, width, Qt::SolidLine, Qt::RoundCap));
    painter.setBrush(Qt::NoBrush);
    const QRectF circle(-diameter / 2, -diameter / 2, diameter, diameter);
    if (trim >= 1.0)
        painter.drawEllipse(circle);
    else
        painter.drawArc(circle, 0, -qRound(trim * 360.0 * 16.0)); // clockwise
    painter.restore();
}
} // namespace

LaunchSplashView::LaunchSplashView(LaunchPhase phase, QWidget *parent)
    : QWidget(parent)
    , m_phase(phase)
    , m_stars(new ShootingStars(this))
    , m_ringTrim(AnimatedValue::repainting(0.0, this))
    , m_orbitDots(AnimatedValue::repainting(0.0, this))
    , m_outerRotation(new AnimatedValue(0.0, this))
    , m_innerRotation(new AnimatedValue(0.0, this))
    , m_ringGlow(AnimatedValue::repainting(0.0, this))
    , m_moonScale(AnimatedValue::repainting(0.0, this))
    , m_haloOpacity(AnimatedValue::repainting(0.0, this))
    , m_underlineWidth(AnimatedValue::repainting(0.0, this))
    , m_taglineOpacity(AnimatedValue::repainting(0.0, this))
    , m_taglineBlur(AnimatedValue::repainting(kTaglineBlur, this))
    , m_splashOpacity(AnimatedValue::repainting(1.0, this))
    , m_splashScale(AnimatedValue::repainting(1.0, this))
    , m_tagline(QStringLiteral("Ton sommeil, ton rythme"), taglineFont())
    , m_wideGlow(QSizeF(kWideGlowSize, kWideGlowSize), 40.0,
                 [](QPainter &painter) {
                     using namespace DesignSystem::Colors;
                     QRadialGradient gradient(QPointF(), kWideGlowSize / 2);
                     gradient.setColorAt(0.0, withOpacity(appleBlue, 0.28));
                     gradient.setColorAt(0.5, withOpacity(applePurple, 0.15));
                     gradient.setColorAt(1.0, Qt::transparent);
                     painter.fillRect(square(kWideGlowSize), gradient);
                 })
    , m_narrowGlow(QSizeF(kNarrowGlowSize, kNarrowGlowSize), 25.0,
                   [](QPainter &painter) {
                       QRadialGradient gradient(QPointF(), kNarrowGlowSize / 2);
                       gradient.setColorAt(0.0,
                                           withOpacity(DesignSystem::Colors::appleIndigo, 0.12));
                       gradient.setColorAt(1.0, Qt::transparent);
                       painter.fillRect(square(kNarrowGlowSize), gradient);
                   })
    // Both blurred discs kept as one picture: one blit a frame.
    , m_glow(QSizeF(kWideGlowSize, kWideGlowSize) + 2.0 * QSizeF(blurReach(40.0), blurReach(40.0)),
             0.0,
             [this](QPainter &painter) {
                 m_wideGlow.paint(painter, {});
                 m_narrowGlow.paint(painter, {});
             })
    , m_halo(QSizeF(kHaloSize, kHaloSize), 20.0,
             [](QPainter &painter) {
                 painter.setPen(Qt::NoPen);
                 painter.setBrush(Qt::white);
                 painter.drawEllipse(QPointF(), kHaloSize / 2, kHaloSize / 2);
             })
    , m_moonBlueShadow(QSizeF(kMoonSize, kMoonSize), 16.0,
                       [](QPainter &painter) {
                           paintMoonSymbol(painter);
                           tint(painter, withOpacity(DesignSystem::Colors::appleBlue, 0.9));
                       })
    // The second shadow falls from the moon together with its first one.
    , m_moonPurpleShadow(QSizeF(kMoonSize, kMoonSize) + QSizeF(80, 80), 8.0,
                         [this](QPainter &painter) {
                             m_moonBlueShadow.paint(painter, {});
                             paintMoonSymbol(painter);
                             tint(painter, withOpacity(DesignSystem::Colors::applePurple, 0.4));
                         })
    , m_underline(QSizeF(kUnderlineWidth, kUnderlineHeight), 0.5, [](QPainter &painter) {
        using namespace DesignSystem::Colors;
        QLinearGradient gradient(-kUnderlineWidth / 2, 0.0, kUnderlineWidth / 2, 0.0);
        gradient.setColorAt(0.0, Qt::transparent);
        gradient.setColorAt(1.0 / 3.0, withOpacity(appleBlue, 0.6));
        gradient.setColorAt(2.0 / 3.0, withOpacity(applePurple, 0.6));
        gradient.setColorAt(1.0, Qt::transparent);
        painter.fillRect(
            QRectF(-kUnderlineWidth / 2, -kUnderlineHeight / 2, kUnderlineWidth, kUnderlineHeight),
            gradient);
    })
{
    // Opaque until it starts to fade: what lies below is not painted meanwhile.
    setAttribute(Qt::WA_OpaquePaintEvent);
    for (AnimatedValue *rotation : {m_outerRotation, m_innerRotation}) {
        connect(rotation, &AnimatedValue::valueChanged, this, [this] { update(m_emblemArea); });
        PauseWhileHidden::watch(this, rotation);
    }
    connect(m_splashOpacity, &AnimatedValue::valueChanged, this,
            [this] { setAttribute(Qt::WA_OpaquePaintEvent, m_splashOpacity->value() >= 1.0); });

    const QFont letterFont = DesignSystem::Fonts::display(30);
    qreal titleWidth = 0.0;
    for (const QChar character : kTitle) {
        const TextLine glyph(QString(character), letterFont);
        const QSizeF cell = glyph.size();
        const auto glow = [glyph, cell](const QColor &colour) {
            return [glyph, cell, colour](QPainter &painter) {
                painter.setPen(QPen(letterFill(cell.height()), 1.0));
                glyph.paint(painter, {});
                tint(painter, colour);
            };
        };
        const QColor blue = DesignSystem::Colors::appleBlue;
        m_letters.push_back({glyph, titleWidth + cell.width() / 2,
                             AnimatedValue::repainting(0.0, this),
                             AnimatedValue::repainting(0.0, this),
                             BlurredSprite(cell, 4.0, glow(withOpacity(blue, 0.2))),
                             BlurredSprite(cell, 12.0, glow(withOpacity(blue, 0.8)))});
        titleWidth += cell.width();
    }
    // Every cell keeps its place from the start, drawn or not.
    for (Letter &letter : m_letters)
        letter.centreX -= titleWidth / 2;

    for (const qreal blur : kTaglineBlurs) {
        if (blur > 0.0) {
            m_blurredTaglines.emplace_back(m_tagline.size(), blur, [this](QPainter &painter) {
                painter.setPen(DesignSystem::Colors::textTertiary);
                m_tagline.paint(painter, {});
            });
        }
    }
    layOut();
}

void LaunchSplashView::layOut()
{
    const qreal lettersHeight = m_letters.front().glyph.size().height();
    const qreal taglineHeight = m_tagline.size().height();
    const qreal titleHeight = lettersHeight + kTitleSpacing + kUnderlineHeight + kTitleSpacing
        + kTaglinePadding + taglineHeight;
    const qreal top = -(kEmblemSize + kColumnSpacing + titleHeight) / 2 - kColumnLift;
    m_emblemY = top + kEmblemSize / 2;
    const qreal titleTop = top + kEmblemSize + kColumnSpacing;
    m_lettersY = titleTop + lettersHeight / 2;
    m_underlineY = titleTop + lettersHeight + kTitleSpacing + kUnderlineHeight / 2;
    m_taglineY =
        m_underlineY + kUnderlineHeight / 2 + kTitleSpacing + kTaglinePadding + taglineHeight / 2;
}

void LaunchSplashView::setPhase(LaunchPhase phase)
{
    if (phase == m_phase)
        return;
    m_phase = phase;
    if (m_shown)
        handlePhaseChange(phase);
}

LaunchSplashView::State LaunchSplashView::state() const
{
    return {m_stars->isLaunched(),      m_ringTrim->target(),    m_outerRotation->target(),
            m_innerRotation->target(),  m_ringGlow->target(),    m_moonVisible,
            m_moonScale->target(),      m_revealedLetters,       m_underlineWidth->target(),
            m_taglineOpacity->target(), m_taglineBlur->target(), m_splashOpacity->target(),
            m_splashScale->target()};
}

void LaunchSplashView::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!m_shown) {
        m_shown = true;
        handlePhaseChange(m_phase);
    }
}

void LaunchSplashView::resizeEvent(QResizeEvent *)
{
    const qreal reach = kEmblemSize / 2 + kOuterRingWidth;
    const QPointF centre = QRectF(rect()).center() + QPointF(0.0, m_emblemY);
    m_emblemArea =
        QRectF(centre - QPointF(reach, reach), QSizeF(2 * reach, 2 * reach)).toAlignedRect();
}

void LaunchSplashView::handlePhaseChange(LaunchPhase phase)
{
    switch (phase) {
    case LaunchPhase::Particles:
        m_stars->launch(); // each streak flies on its own curve and delay
        break;
    case LaunchPhase::MoonDraw:
        drawMoon();
        break;
    case LaunchPhase::TitleReveal:
        revealTitle();
        break;
    case LaunchPhase::Tagline:
        m_taglineOpacity->animateTo(1.0, kTaglineFocus);
        m_taglineBlur->animateTo(0.0, kTaglineFocus);
        break;
    case LaunchPhase::Revealing:
        m_splashOpacity->animateTo(0.0, kFadeOut);
        m_splashScale->animateTo(0.96, kFadeOut);
        break;
    case LaunchPhase::Hidden:
    case LaunchPhase::Done:
        break;
    }
}

void LaunchSplashView::drawMoon()
{
    setRingTrim(1.0, kTrimDraw);
    m_outerRotation->animateTo(360.0, kOuterTurn);
    m_innerRotation->animateTo(-360.0, kInnerTurn);
    m_ringGlow->animateTo(1.0, kGlowRise);
    QPointer<LaunchSplashView> self(this);
    Timeline::play({{kMoonDelay, Animation::none(), [self] {
                         if (self)
                             self->showMoon();
                     }}});
}

void LaunchSplashView::setRingTrim(double trim, const Animation &animation)
{
    m_ringTrim->animateTo(trim, animation);
    m_orbitDots->animateTo(orbitDotsOpacityFor(trim), animation);
}

void LaunchSplashView::showMoon()
{
    // Visible at once while still at scale 0: it grows out of nothing with the spring.
    m_moonVisible = true;
    m_moonScale->animateTo(1.0, kMoonSpring);
    m_haloOpacity->animateTo(haloOpacityFor(1.0), kMoonSpring);
    update();
}

void LaunchSplashView::revealTitle()
{
    QPointer<LaunchSplashView> self(this);
    std::vector<Timeline::Step> steps;
    for (int i = 0; i < kTitleLength; ++i) {
        steps.push_back({static_cast<double>(i) * kLetterInterval, kLetterStep, [self, i] {
                             if (self)
                                 self->setRevealedLetters(i + 1);
                         }});
    }
    steps.push_back(
        {kTitleLength * kLetterInterval + kUnderlineDelayAfterLetters, kUnderlineGrow, [self] {
             if (self)
                 self->m_underlineWidth->animateTo(kUnderlineWidth, currentAnimation());
         }});
    Timeline::play(std::move(steps));
}

void LaunchSplashView::setRevealedLetters(int count)
{
    m_revealedLetters = count;
    for (int i = 0; i < kTitleLength; ++i) {
        m_letters[i].shown->animateTo(i < count ? 1.0 : 0.0, kLetterSpring);
        m_letters[i].emphasis->animateTo(i == count - 1 ? 1.0 : 0.0, kLetterSpring);
    }
}

void LaunchSplashView::paintEvent(QPaintEvent *)
{
    // Opacity and scale are each the whole card's; a spring may carry none of them here.
    const qreal opacity = std::clamp(m_splashOpacity->value(), 0.0, 1.0);
    if (opacity <= 0.0)
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const QPointF centre = QRectF(rect()).center();
    const qreal scale = m_splashScale->value();
    if (scale != 1.0) {
        painter.translate(centre);
        painter.scale(scale, scale);
        painter.translate(-centre);
    }
    painter.setOpacity(opacity);
    painter.fillRect(rect(), Qt::black);
    m_stars->paint(painter, rect());
    // The glow's colours and its layer both follow ringGlow: it grows with the square.
    if (const qreal glow = m_ringGlow->value(); glow > 0.0) {
        painter.setOpacity(opacity * glow * glow);
        m_glow.paint(painter, centre);
        painter.setOpacity(opacity);
    }
    const QPointF emblem = centre + QPointF(0.0, m_emblemY);
    paintRings(painter, emblem);
    if (m_moonVisible)
        paintMoon(painter, emblem);
    paintTitle(painter);
}

void LaunchSplashView::paintRings(QPainter &painter, QPointF centre) const
{
    using namespace DesignSystem::Colors;
    static const QConicalGradient outer =
        clockwiseGradient({appleBlue, applePurple, withOpacity(appleBlue, 0.3), appleBlue});
    static const QConicalGradient inner = clockwiseGradient(
        {applePurple, withOpacity(Qt::white, 0.8), withOpacity(appleIndigo, 0.4), applePurple});
    if (const double trim = m_ringTrim->value(); trim > 0.0) {
        paintRing(painter, centre, kEmblemSize, kOuterRingWidth, outer, trim,
                  m_outerRotation->value());
        paintRing(painter, centre, kInnerRingSize, kInnerRingWidth, inner, trim,
                  m_innerRotation->value());
    }
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(withOpacity(Qt::white, 0.03), 1.0));
    painter.drawEllipse(centre, kTrackSize / 2, kTrackSize / 2);

    if (const qreal dots = m_orbitDots->value(); dots > 0.0) {
        const qreal opacity = painter.opacity();
        painter.setOpacity(opacity * dots);
        painter.setPen(Qt::NoPen);
        painter.setBrush(Qt::white);
        for (int i = 0; i < 3; ++i) {
            const double angle = qDegreesToRadians(m_outerRotation->value() + 120.0 * i);
            const QPointF dot = centre + QPointF(std::sin(angle), -std::cos(angle)) * kOrbitRadius;
            painter.drawEllipse(dot, kDotSize / 2, kDotSize / 2);
        }
        painter.setOpacity(opacity);
    }
}

void LaunchSplashView::paintMoon(QPainter &painter, QPointF centre) const
{
    const qreal scale = m_moonScale->value();
    if (scale <= 0.0)
        return;
    const qreal opacity = painter.opacity();
    painter.save();
    painter.translate(centre);
    painter.scale(scale, scale);
    if (const qreal halo = std::clamp(m_haloOpacity->value(), 0.0, 1.0); halo > 0.0) {
        painter.setOpacity(opacity * halo);
        m_halo.paint(painter, {});
        painter.setOpacity(opacity);
    }
    m_moonPurpleShadow.paint(painter, {});
    m_moonBlueShadow.paint(painter, {});
    paintMoonSymbol(painter);
    painter.restore();
}

void LaunchSplashView::paintTitle(QPainter &painter) const
{
    const QPointF centre = QRectF(rect()).center();
    const qreal opacity = painter.opacity();
    for (const Letter &letter : m_letters) {
        const qreal shown = std::clamp(letter.shown->value(), 0.0, 1.0);
        if (shown <= 0.0)
            continue;
        const qreal emphasis = letter.emphasis->value();
        const qreal strong = std::clamp(emphasis, 0.0, 1.0);
        painter.save();
        painter.translate(centre + QPointF(letter.centreX, m_lettersY));
        const qreal scale = 1.0 + (kEmphasisScale - 1.0) * emphasis;
        painter.scale(scale, scale);
        painter.setOpacity(opacity * shown * (1.0 - strong));
        letter.softGlow.paint(painter, {});
        painter.setOpacity(opacity * shown * strong);
        letter.strongGlow.paint(painter, {});
        painter.setOpacity(opacity * shown);
        painter.setPen(QPen(letterFill(letter.glyph.size().height()), 1.0));
        letter.glyph.paint(painter, {});
        painter.restore();
    }

    if (const qreal width = m_underlineWidth->value(); width > 0.0) {
        painter.save();
        painter.translate(centre + QPointF(0.0, m_underlineY));
        painter.scale(width / kUnderlineWidth, 1.0);
        m_underline.paint(painter, {});
        painter.restore();
    }
    paintTagline(painter, centre + QPointF(0.0, m_taglineY));
}

void LaunchSplashView::paintTagline(QPainter &painter, QPointF centre) const
{
    const qreal shown = std::clamp(m_taglineOpacity->value(), 0.0, 1.0);
    if (shown <= 0.0)
        return;
    const qreal opacity = painter.opacity();
    const qreal blur = std::clamp(m_taglineBlur->value(), 0.0, kTaglineBlur);
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
        painter.setOpacity(opacity * shown * weight);
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
