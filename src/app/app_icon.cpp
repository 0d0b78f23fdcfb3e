#include "app/app_icon.h"

#include "app/painted_icon.h"
#include "design/design_system.h"
#include "design/shapes.h"

#include <QPainter>
#include <QPainterPath>

namespace velorinth::AppIcon {

namespace {

// Drawn on a 1024-unit grid. The body leaves the margin that desktop icon themes leave
// around a square icon, so it sits beside them at the same visual weight.
constexpr qreal kGrid = 1024.0;
const QRectF kBody(64.0, 64.0, 896.0, 896.0);
constexpr qreal kCornerRadius = 200.0; // the continuous corner of the platform's app icons

// A four-pointed star whose sides curve in towards the centre.
QPainterPath sparkle(QPointF centre, qreal radius)
{
    const qreal waist = radius * 0.16;
    QPainterPath path(centre + QPointF(0, -radius));
    const QPointF tips[] = {{radius, 0}, {0, radius}, {-radius, 0}, {0, -radius}};
    QPointF from(0, -radius);
    for (const QPointF &to : tips) {
        const QPointF bend = (from + to) * (waist / radius);
        path.quadTo(centre + bend, centre + to);
        from = to;
    }
    return path;
}

struct Shapes
{
    QPainterPath body;
    QPainterPath moon;
    QPainterPath sparkles;
};

const Shapes &shapes()
{
    static const Shapes built = [] {
        Shapes s;
        s.body = continuousRoundedRect(kBody, kCornerRadius);
        // The lit side faces the bottom left, leaving the top right for the sparkles.
        QPainterPath disc;
        disc.addEllipse(QPointF(458.0, 566.0), 262.0, 262.0);
        QPainterPath bite;
        bite.addEllipse(QPointF(590.0, 446.0), 232.0, 232.0);
        s.moon = disc.subtracted(bite);
        s.sparkles = sparkle({716.0, 300.0}, 112.0).united(sparkle({818.0, 498.0}, 62.0));
        return s;
    }();
    return built;
}

QByteArray svgNumber(qreal value)
{
    return QByteArray::number(qRound(value * 10.0) / 10.0, 'g', 6);
}

QByteArray svgPath(const QPainterPath &path, const QByteArray &fill)
{
    QByteArray d;
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element e = path.elementAt(i);
        const auto point = [](const QPainterPath::Element &p) {
            return svgNumber(p.x) + ' ' + svgNumber(p.y);
        };
        if (e.isMoveTo()) {
            d += (i > 0 ? "ZM" : "M") + point(e);
        } else if (e.isLineTo()) {
            d += 'L' + point(e);
        } else { // a cubic: this control point, then the second and the end
            d += 'C' + point(e) + ' ' + point(path.elementAt(i + 1)) + ' '
                + point(path.elementAt(i + 2));
            i += 2;
        }
    }
    const QByteArray rule = path.fillRule() == Qt::OddEvenFill ? "evenodd" : "nonzero";
    return "  <path fill=\"" + fill + "\" fill-rule=\"" + rule + "\" d=\"" + d + "Z\"/>\n";
}

QByteArray svgColour(const QColor &colour)
{
    return colour.name(QColor::HexRgb).toLatin1();
}

} // namespace

void paint(QPainter &painter, const QRectF &square)
{
    const Shapes &s = shapes();
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(square.topLeft());
    painter.scale(square.width() / kGrid, square.height() / kGrid);
    painter.fillPath(s.body, DesignSystem::Gradients::primaryAccent);
    painter.fillPath(s.moon, Qt::white);
    painter.fillPath(s.sparkles, Qt::white);
    painter.restore();
}

QIcon icon()
{
    return paintedIcon(paint, {{16, 16}, {24, 24}, {32, 32}, {48, 48}, {64, 64}, {128, 128}});
}

QImage image(int pixels)
{
    QImage image(pixels, pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    paint(painter, QRectF(0, 0, pixels, pixels));
    return image;
}

QByteArray svg()
{
    const Shapes &s = shapes();
    const QGradientStops stops = DesignSystem::Gradients::primaryAccent.stops();
    QByteArray svg = "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"1024\" height=\"1024\" "
                     "viewBox=\"0 0 1024 1024\">\n"
                     "  <linearGradient id=\"accent\" x1=\"0\" y1=\"0\" x2=\"1\" y2=\"1\">\n";
    for (const QGradientStop &stop : stops) {
        svg += "    <stop offset=\"" + svgNumber(stop.first) + "\" stop-color=\""
            + svgColour(stop.second) + "\"/>\n";
    }
    svg += "  </linearGradient>\n";
    svg += svgPath(s.body, "url(#accent)");
    svg += svgPath(s.moon, "#ffffff");
    svg += svgPath(s.sparkles, "#ffffff");
    svg += "</svg>\n";
    return svg;
}

} // namespace velorinth::AppIcon
