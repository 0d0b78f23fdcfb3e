#include "design/symbols.h"

#include <QFontMetricsF>
#include <QHash>
#include <QPainter>
#include <QPainterPathStroker>

#include <cmath>
#include <numbers>

namespace velorinth {

namespace {

// Material glyphs sit in a 24-unit square with 2 units of padding; paths are built ten
// times larger so the boolean operations of the composed symbols stay smooth when scaled.
constexpr qreal kGrid = 24.0;
constexpr qreal kScale = 10.0;
constexpr qreal kInk = 20.0; // the part of the grid a symbol's size covers

using Builder = QPainterPath (*)();

QPainterPath grid(const QPainterPath &path)
{
    return QTransform::fromScale(kScale, kScale).map(path);
}

QPainterPath glyph(char16_t codepoint)
{
    static const QFont font = [] {
        QFont f(QStringLiteral("Material Icons"));
        f.setPixelSize(static_cast<int>(kGrid * kScale));
        return f;
    }();
    QPainterPath path;
    if (!QFontMetricsF(font).inFontUcs4(codepoint))
        return path; // the icon font is missing: draw nothing rather than a wrong glyph
    path.addText(QPointF(0.0, QFontMetricsF(font).ascent()), font, QString(QChar(codepoint)));
    return path;
}

QPainterPath around(const QPainterPath &path, QPointF anchor, qreal scale, QPointF shift = {})
{
    QTransform transform;
    transform.translate(kScale * (anchor.x() + shift.x()), kScale * (anchor.y() + shift.y()));
    transform.scale(scale, scale);
    transform.translate(-kScale * anchor.x(), -kScale * anchor.y());
    return transform.map(path);
}

QPainterPath stroked(const QPainterPath &gridPath, qreal width, Qt::PenCapStyle cap)
{
    QPainterPathStroker stroker;
    stroker.setWidth(width);
    stroker.setCapStyle(cap);
    stroker.setJoinStyle(Qt::RoundJoin);
    return grid(stroker.createStroke(gridPath).simplified());
}

QPainterPath line(QPointF from, QPointF to, qreal width, Qt::PenCapStyle cap = Qt::RoundCap)
{
    QPainterPath path(from);
    path.lineTo(to);
    return stroked(path, width, cap);
}

// The outline of a filled glyph, for the symbols that come only filled in the font.
QPainterPath outlined(const QPainterPath &glyphPath, qreal width)
{
    QPainterPathStroker stroker;
    stroker.setWidth(width * kScale);
    stroker.setJoinStyle(Qt::RoundJoin);
    return stroker.createStroke(glyphPath).simplified();
}

// A four-pointed sparkle with concave sides.
QPainterPath sparkle(QPointF centre, qreal radius)
{
    const qreal pinch = radius * 0.18;
    QPainterPath path(centre + QPointF(0, -radius));
    path.quadTo(centre + QPointF(pinch, -pinch), centre + QPointF(radius, 0));
    path.quadTo(centre + QPointF(pinch, pinch), centre + QPointF(0, radius));
    path.quadTo(centre + QPointF(-pinch, pinch), centre + QPointF(-radius, 0));
    path.quadTo(centre + QPointF(-pinch, -pinch), centre + QPointF(0, -radius));
    return grid(path);
}

QPainterPath letterZ(QPointF topLeft, qreal side)
{
    QPainterPath path(topLeft);
    path.lineTo(topLeft + QPointF(side, 0));
    path.lineTo(topLeft + QPointF(0, side));
    path.lineTo(topLeft + QPointF(side, side));
    return stroked(path, side * 0.28, Qt::SquareCap);
}

// The lit side of the crescent faces the bottom left; stars and letters go in the hollow.
constexpr char16_t kCrescent = 0xe51c;
constexpr QPointF kCrescentCorner(3.0, 21.0);

QPainterPath smallCrescent()
{
    return around(glyph(kCrescent), kCrescentCorner, 0.78);
}

QPainterPath twoSparkles()
{
    return sparkle({17.5, 5.5}, 3.6).united(sparkle({21.0, 11.0}, 2.2));
}

QPainterPath moonStarsFill()
{
    return smallCrescent().united(twoSparkles());
}

QPainterPath moonStars()
{
    return outlined(smallCrescent(), 1.6).united(twoSparkles());
}

QPainterPath moonZzzFill()
{
    return smallCrescent().united(letterZ({13.0, 2.5}, 5.0)).united(letterZ({18.5, 9.0}, 3.0));
}

QPainterPath moon()
{
    return outlined(around(glyph(kCrescent), {12, 12}, 0.9), 1.8);
}

QPainterPath moonHaze()
{
    const QPainterPath crescent =
        outlined(around(glyph(kCrescent), {12, 12}, 0.72, {0.0, -2.5}), 1.6);
    const QPainterPath gap = line({2.0, 17.0}, {22.0, 17.0}, 6.5, Qt::FlatCap);
    return crescent.subtracted(gap)
        .united(line({5.0, 16.5}, {19.0, 16.5}, 1.8))
        .united(line({8.0, 20.5}, {16.0, 20.5}, 1.8));
}

QPainterPath speakerThreeWaves()
{
    // The font's speaker has two waves around (12, 12), 7 to 9 units out; a third one
    // 10 to 12 units out, then the whole made smaller and moved left to fit the square.
    QPainterPath wave;
    const qreal radius = 11.0;
    const qreal sweep = 62.0;
    wave.arcMoveTo(QRectF(12 - radius, 12 - radius, 2 * radius, 2 * radius), sweep);
    wave.arcTo(QRectF(12 - radius, 12 - radius, 2 * radius, 2 * radius), sweep, -2 * sweep);
    return around(glyph(0xe050).united(stroked(wave, 2.0, Qt::FlatCap)), {13.5, 12.0}, 0.9,
                  {-1.5, 0.0});
}

QPainterPath lightbulbSlash()
{
    const QPointF from(3.5, 3.0), to(20.5, 21.0);
    return glyph(0xe90f).subtracted(line(from, to, 4.2)).united(line(from, to, 1.8));
}

QPainterPath arrowDownCircleFill()
{
    QPainterPath disc;
    disc.addEllipse(QPointF(12, 12), 10, 10);
    return grid(disc).subtracted(around(glyph(0xe5db), {12, 12}, 0.62));
}

template<char16_t codepoint>
QPainterPath fontGlyph()
{
    return glyph(codepoint);
}

const QHash<QString, Builder> &table()
{
    static const QHash<QString, Builder> builders{
        {QStringLiteral("moon"), moon},
        {QStringLiteral("moon.fill"), fontGlyph<kCrescent>},
        {QStringLiteral("moon.stars"), moonStars},
        {QStringLiteral("moon.stars.fill"), moonStarsFill},
        {QStringLiteral("moon.zzz.fill"), moonZzzFill},
        {QStringLiteral("moon.haze"), moonHaze},
        {QStringLiteral("sparkles"), fontGlyph<0xe65f>}, // auto_awesome
        {QStringLiteral("timer"), fontGlyph<0xe425>}, // timer
        {QStringLiteral("clock"), fontGlyph<0xe8b5>}, // schedule
        {QStringLiteral("clock.fill"), fontGlyph<0xefd6>}, // access_time_filled
        {QStringLiteral("speaker.wave.1.fill"), fontGlyph<0xe04d>}, // volume_down
        {QStringLiteral("speaker.wave.2.fill"), fontGlyph<0xe050>}, // volume_up
        {QStringLiteral("speaker.wave.3.fill"), speakerThreeWaves},
        {QStringLiteral("sun.min.fill"), fontGlyph<0xe518>}, // light_mode
        {QStringLiteral("lightbulb.slash"), lightbulbSlash},
        {QStringLiteral("minus"), fontGlyph<0xe15b>}, // remove
        {QStringLiteral("plus"), fontGlyph<0xe145>}, // add
        {QStringLiteral("xmark"), fontGlyph<0xe5cd>}, // close
        {QStringLiteral("exclamationmark.triangle.fill"), fontGlyph<0xe002>}, // warning
        {QStringLiteral("stop.fill"), fontGlyph<0xe047>}, // stop
        {QStringLiteral("play.fill"), fontGlyph<0xe037>}, // play_arrow
        {QStringLiteral("power"), fontGlyph<0xe8ac>}, // power_settings_new
        {QStringLiteral("arrow.up.forward.app"), fontGlyph<0xe89e>}, // open_in_new
        {QStringLiteral("bolt.fill"), fontGlyph<0xea0b>}, // bolt
        {QStringLiteral("arrow.down.circle.fill"), arrowDownCircleFill},
    };
    return builders;
}

const QPainterPath &path(const QString &name)
{
    static QHash<QString, QPainterPath> built;
    auto found = built.find(name);
    if (found == built.end())
        found = built.insert(name, table().value(name, [] { return QPainterPath(); })());
    return *found;
}

// Extra stroke width, in grid units, that makes the single-weight glyphs read heavier.
qreal thickening(QFont::Weight weight)
{
    if (weight >= QFont::Bold)
        return 0.9;
    if (weight >= QFont::DemiBold)
        return 0.55;
    if (weight >= QFont::Medium)
        return 0.25;
    return 0.0;
}

} // namespace

bool Symbols::contains(const QString &name)
{
    return table().contains(name);
}

void Symbols::paint(QPainter &painter, const QString &name, QPointF centre, qreal size,
                    QFont::Weight weight, const QBrush &brush)
{
    const QPainterPath &shape = path(name);
    if (shape.isEmpty())
        return;
    const qreal scale = size / (kInk * kScale);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(centre);
    painter.scale(scale, scale);
    painter.translate(-kGrid * kScale / 2.0, -kGrid * kScale / 2.0);
    painter.fillPath(shape, brush);
    if (const qreal extra = thickening(weight); extra > 0.0) {
        QPen pen(brush, extra * kScale);
        pen.setJoinStyle(Qt::RoundJoin);
        painter.strokePath(shape, pen);
    }
    painter.restore();
}

} // namespace velorinth
