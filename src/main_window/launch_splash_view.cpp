#include "main_window/launch_splash_view.h"

#include "design/animated_change.h"
#include "design/animated_value.h"
#include "design/color_math.h"
#include "design/design_system.h"
#include "design/pause_while_hidden.h"
#include "design/timeline.h"
#include "main_window/shooting_stars.h"
#include "main_window/splash_pictures.h"

#include <QPainter>
#include <QPointer>
#include <QTimer>

#include <algorithm>
#include <cmath>

namespace velorinth {

namespace {
constexpr QStringView kTitle = u"Velorinth";
constexpr int kTitleLength = static_cast<int>(kTitle.size());

// The column of emblem and title, a little above the centre.
constexpr qreal kEmblemSize = 120.0;
constexpr qreal kColumnSpacing = 32.0;
constexpr qreal kColumnLift = 10.0;
constexpr qreal kTitleSpacing = 10.0;
constexpr qreal kUnderlineHeight = 1.5;
constexpr qreal kUnderlineWidth = 160.0;
constexpr qreal kTaglinePadding = 4.0;
constexpr qreal kTaglineBlur = 8.0;
constexpr qreal kTrackSize = 104.0;
constexpr qreal kOrbitRadius = 55.0;
constexpr qreal kDotSize = 3.0;
// How far the glows and blurs reach around what each area holds, springs' overshoot
// included.
constexpr qreal kMoonReach = 100.0;
constexpr qreal kLetterGlowReach = 36.0;
constexpr qreal kTaglineBlurReach = 22.0;

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

QFont taglineFont()
{
    QFont font = DesignSystem::Fonts::sans(12, QFont::Medium);
    font.setLetterSpacing(QFont::AbsoluteSpacing, 1.0);
    return font;
}

QRect around(QPointF centre, QSizeF size)
{
    return QRectF(centre - QPointF(size.width(), size.height()) / 2, size).toAlignedRect();
}
} // namespace

LaunchSplashView::LaunchSplashView(LaunchPhase phase, QWidget *parent)
    : QWidget(parent)
    , m_phase(phase)
    , m_stars(new ShootingStars(this))
    , m_ringTrim(animatedValue(0.0, Emblem))
    , m_orbitDots(animatedValue(0.0, Emblem))
    , m_outerRotation(animatedValue(0.0, Emblem))
    , m_innerRotation(animatedValue(0.0, Emblem))
    , m_ringGlow(animatedValue(0.0, Whole))
    , m_moonScale(animatedValue(0.0, Moon))
    , m_haloOpacity(animatedValue(0.0, Moon))
    , m_underlineWidth(animatedValue(0.0, Underline))
    , m_taglineOpacity(animatedValue(0.0, Tagline))
    , m_taglineBlur(animatedValue(kTaglineBlur, Tagline))
    , m_splashOpacity(animatedValue(1.0, Whole))
    , m_splashScale(animatedValue(1.0, Whole))
{
    // Opaque until it starts to fade: what lies below is not painted meanwhile.
    setAttribute(Qt::WA_OpaquePaintEvent);
    connect(m_splashOpacity, &AnimatedValue::valueChanged, this,
            [this] { setAttribute(Qt::WA_OpaquePaintEvent, m_splashOpacity->value() >= 1.0); });
    // The splash lasts a few seconds and plays whole while it is on screen, active or not.
    for (AnimatedValue *rotation : {m_outerRotation, m_innerRotation})
        PauseWhileHidden::watch(this, rotation, PauseWhileHidden::Pause::OnlyWhileHidden);

    const QFont letterFont = DesignSystem::Fonts::display(30);
    std::vector<TextLine> glyphs;
    qreal titleWidth = 0.0;
    for (const QChar character : kTitle) {
        glyphs.emplace_back(QString(character), letterFont);
        const qreal cellWidth = glyphs.back().size().width();
        m_letters.push_back(
            {titleWidth + cellWidth / 2, animatedValue(0.0, Letters), animatedValue(0.0, Letters)});
        titleWidth += cellWidth;
    }
    // Every cell keeps its place from the start, drawn or not.
    for (Letter &letter : m_letters)
        letter.centreX -= titleWidth / 2;
    m_titleSize = {titleWidth, glyphs.front().size().height()};
    const TextLine tagline(QStringLiteral("Ton sommeil, ton rythme"), taglineFont());
    m_taglineSize = tagline.size();
    m_pictures = std::make_unique<SplashPictures>(glyphs, tagline);

    const qreal titleHeight = m_titleSize.height() + kTitleSpacing + kUnderlineHeight
        + kTitleSpacing + kTaglinePadding + m_taglineSize.height();
    const qreal top = -(kEmblemSize + kColumnSpacing + titleHeight) / 2 - kColumnLift;
    m_emblemY = top + kEmblemSize / 2;
    const qreal titleTop = top + kEmblemSize + kColumnSpacing;
    m_lettersY = titleTop + m_titleSize.height() / 2;
    m_underlineY = titleTop + m_titleSize.height() + kTitleSpacing + kUnderlineHeight / 2;
    m_taglineY = m_underlineY + kUnderlineHeight / 2 + kTitleSpacing + kTaglinePadding
        + m_taglineSize.height() / 2;
}

LaunchSplashView::~LaunchSplashView() = default;

AnimatedValue *LaunchSplashView::animatedValue(double initial, Area area)
{
    auto *value = new AnimatedValue(initial, this);
    connect(value, &AnimatedValue::valueChanged, this, [this, area] { update(m_areas[area]); });
    return value;
}

void LaunchSplashView::resizeEvent(QResizeEvent *)
{
    const QPointF centre = QRectF(rect()).center();
    const QPointF emblem = centre + QPointF(0.0, m_emblemY);
    const qreal rings = 2 * (SplashPictures::ringReach() + 1);
    m_areas[Whole] = rect();
    m_areas[Emblem] = around(emblem, {rings, rings});
    m_areas[Moon] = around(emblem, {2 * kMoonReach, 2 * kMoonReach});
    m_areas[Letters] = around(centre + QPointF(0.0, m_lettersY),
                              m_titleSize + 2 * QSizeF(kLetterGlowReach, kLetterGlowReach));
    m_areas[Underline] = around(centre + QPointF(0.0, m_underlineY),
                                QSizeF(kUnderlineWidth + 6, kUnderlineHeight + 6));
    m_areas[Tagline] = around(centre + QPointF(0.0, m_taglineY),
                              m_taglineSize + 2 * QSizeF(kTaglineBlurReach, kTaglineBlurReach));
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
        prepareNextPicture();
    }
}

void LaunchSplashView::prepareNextPicture()
{
    // One at a time, between frames, well before each is needed.
    if (m_pictures->prepareNext(devicePixelRatioF()))
        QTimer::singleShot(0, this, &LaunchSplashView::prepareNextPicture);
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
    // The card's opacity and scale apply to each of its parts.
    const qreal opacity = std::clamp(m_splashOpacity->value(), 0.0, 1.0);
    if (opacity <= 0.0)
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const QPointF centre = QRectF(rect()).center();
    if (const qreal scale = m_splashScale->value(); scale != 1.0) {
        painter.translate(centre);
        painter.scale(scale, scale);
        painter.translate(-centre);
    }
    painter.setOpacity(opacity);
    const QPointF emblem = centre + QPointF(0.0, m_emblemY);
    if (m_splashOpacity->target() < 1.0) {
        // Fading out, only the rings still move: all the rest is one picture, on which
        // they turn.
        painter.drawPixmap(0, 0, stillPicture(painter.device()->devicePixelRatioF()));
        paintRings(painter, emblem);
        return;
    }
    paintGround(painter, centre);
    paintRings(painter, emblem);
    paintMoon(painter, emblem);
    paintTitle(painter, centre);
}

const QPixmap &LaunchSplashView::stillPicture(qreal pixelRatio)
{
    if (m_still.isNull() || m_still.devicePixelRatio() != pixelRatio) {
        m_still = QPixmap(size() * pixelRatio);
        m_still.setDevicePixelRatio(pixelRatio);
        QPainter painter(&m_still);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        const QPointF centre = QRectF(rect()).center();
        paintGround(painter, centre);
        paintMoon(painter, centre + QPointF(0.0, m_emblemY));
        paintTitle(painter, centre);
    }
    return m_still;
}

void LaunchSplashView::paintGround(QPainter &painter, QPointF centre)
{
    painter.fillRect(rect(), Qt::black);
    m_stars->paint(painter, rect());
    // The glow's colours and its layer both follow ringGlow: it grows with the square.
    if (const qreal glow = m_ringGlow->value(); glow > 0.0) {
        const qreal opacity = painter.opacity();
        painter.setOpacity(opacity * glow * glow);
        m_pictures->paintGlow(painter, centre);
        painter.setOpacity(opacity);
    }
}

void LaunchSplashView::paintRings(QPainter &painter, QPointF centre) const
{
    const qreal opacity = painter.opacity();
    if (const double trim = m_ringTrim->value(); trim > 0.0) {
        m_pictures->paintRing(painter, SplashPictures::Outer, centre, trim,
                              m_outerRotation->value());
        m_pictures->paintRing(painter, SplashPictures::Inner, centre, trim,
                              m_innerRotation->value());
    }
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(withOpacity(Qt::white, 0.03), 1.0));
    painter.drawEllipse(centre, kTrackSize / 2, kTrackSize / 2);

    if (const qreal dots = m_orbitDots->value(); dots > 0.0) {
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
    if (!m_moonVisible || scale <= 0.0)
        return;
    const qreal opacity = painter.opacity();
    painter.save();
    painter.translate(centre);
    if (scale != 1.0) // a scaled blit is a slow one
        painter.scale(scale, scale);
    if (const qreal halo = std::clamp(m_haloOpacity->value(), 0.0, 1.0); halo > 0.0) {
        painter.setOpacity(opacity * halo);
        m_pictures->paintHalo(painter, {});
        painter.setOpacity(opacity);
    }
    m_pictures->paintMoon(painter, {});
    painter.restore();
}

void LaunchSplashView::paintTitle(QPainter &painter, QPointF centre) const
{
    const qreal opacity = painter.opacity();
    for (int i = 0; i < kTitleLength; ++i) {
        const Letter &letter = m_letters[i];
        const qreal shown = std::clamp(letter.shown->value(), 0.0, 1.0);
        if (shown <= 0.0)
            continue;
        painter.setOpacity(opacity * shown);
        m_pictures->paintLetter(painter, i, centre + QPointF(letter.centreX, m_lettersY),
                                letter.emphasis->value());
    }
    painter.setOpacity(opacity);
    if (const qreal width = m_underlineWidth->value(); width > 0.0)
        m_pictures->paintUnderline(painter, centre + QPointF(0.0, m_underlineY), width);
    if (const qreal shown = std::clamp(m_taglineOpacity->value(), 0.0, 1.0); shown > 0.0) {
        painter.setOpacity(opacity * shown);
        m_pictures->paintTagline(painter, centre + QPointF(0.0, m_taglineY),
                                 m_taglineBlur->value());
        painter.setOpacity(opacity);
    }
}

} // namespace velorinth
