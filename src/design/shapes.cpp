#include "design/shapes.h"

#include <QtMath>

#include <cmath>

namespace velorinth {

namespace {
// The platform's continuous corner reaches this many radii along each side. Past the
// plain radius, that reach is the room the easing curves take from the circular arc.
constexpr qreal kReach = 1.52866483;
constexpr qreal kFullSmoothing = kReach - 1.0;

// One corner in its own coordinates: x runs back along the incoming side from the
// corner, y along the outgoing one. The middle is an arc of the corner's radius; on each
// side a cubic leaves the straight side with no curvature (its first three points lie on
// the side) and meets the arc on its tangent. Smoothing 0 is a plain quarter circle.
struct Corner
{
    qreal reach; // where the corner leaves each side
    qreal ease1; // the cubic's two control points, on the side
    qreal ease2;
    QPointF arcStart;
    QPointF arcControl; // the arc as one cubic: arcStart, arcControl, mirrored, mirrored
    bool eased;
};

Corner cornerOf(qreal radius, qreal smoothing)
{
    const qreal meet = smoothing * M_PI / 4.0; // angle of the side at which the arc begins
    const qreal sweep = M_PI / 2.0 - 2.0 * meet;
    Corner corner;
    corner.reach = (1.0 + smoothing) * radius;
    corner.arcStart = QPointF(radius * (1.0 - std::sin(meet)), radius * (1.0 - std::cos(meet)));
    // The arc's tangent at its start crosses the side here.
    const qreal tangentFoot = corner.arcStart.x() + radius * std::tan(meet / 2.0) * std::cos(meet);
    const qreal third = (corner.reach - tangentFoot) / 3.0;
    corner.ease1 = tangentFoot + third;
    corner.ease2 = tangentFoot;
    corner.eased = third > 0.0;
    const qreal handle = 4.0 / 3.0 * std::tan(sweep / 4.0) * radius;
    corner.arcControl = corner.arcStart + handle * QPointF(-std::cos(meet), std::sin(meet));
    return corner;
}

QPointF mirrored(QPointF p)
{
    return {p.y(), p.x()};
}

// `at` maps corner coordinates to the plane; the path stands at the corner's start.
template<typename Map>
void addCorner(QPainterPath &path, const Corner &c, Map at)
{
    if (c.eased)
        path.cubicTo(at({c.ease1, 0.0}), at({c.ease2, 0.0}), at(c.arcStart));
    path.cubicTo(at(c.arcControl), at(mirrored(c.arcControl)), at(mirrored(c.arcStart)));
    if (c.eased)
        path.cubicTo(at({0.0, c.ease2}), at({0.0, c.ease1}), at({0.0, c.reach}));
}
} // namespace

QPainterPath continuousRoundedRect(const QRectF &rect, qreal radius)
{
    QPainterPath path;
    const qreal half = qMin(rect.width(), rect.height()) / 2.0;
    const qreal r = qMin(radius, half);
    if (r <= 0.0) {
        path.addRect(rect);
        return path;
    }
    // Where the full easing does not fit, keep the radius and give up easing until the
    // corner reaches exactly half the shorter side: no corner ever overlaps the next.
    const Corner c = cornerOf(r, qMin(kFullSmoothing, half / r - 1.0));
    const qreal l = rect.left(), t = rect.top(), ri = rect.right(), b = rect.bottom();
    path.moveTo(l + c.reach, t);
    path.lineTo(ri - c.reach, t);
    addCorner(path, c, [&](QPointF p) { return QPointF(ri - p.x(), t + p.y()); });
    path.lineTo(ri, b - c.reach);
    addCorner(path, c, [&](QPointF p) { return QPointF(ri - p.y(), b - p.x()); });
    path.lineTo(l + c.reach, b);
    addCorner(path, c, [&](QPointF p) { return QPointF(l + p.x(), b - p.y()); });
    path.lineTo(l, t + c.reach);
    addCorner(path, c, [&](QPointF p) { return QPointF(l + p.y(), t + p.x()); });
    path.closeSubpath();
    return path;
}

QPainterPath capsule(const QRectF &rect)
{
    return continuousRoundedRect(rect, qMin(rect.width(), rect.height()) / 2.0);
}

} // namespace velorinth
