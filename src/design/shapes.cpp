#include "design/shapes.h"

#include <QtMath>

namespace velorinth {

namespace {
// How far the continuous corner reaches along each side, in radii, and the Bézier
// control points of its three segments.
constexpr qreal kReach = 1.52866483;
constexpr qreal kA = 1.08849323;
constexpr qreal kB = 0.86840689;
constexpr qreal kC = 0.63149399;
constexpr qreal kD = 0.07491139;
constexpr qreal kE = 0.37282383;
constexpr qreal kF = 0.16905956;

// One corner, from the side before it to the side after it. `at` maps corner-local
// coordinates (distance along the incoming side, distance along the outgoing side) to the plane.
template<typename Map>
void addCorner(QPainterPath &path, qreal r, Map at)
{
    path.cubicTo(at(kA * r, 0.0), at(kB * r, 0.0), at(kC * r, kD * r));
    path.cubicTo(at(kE * r, kF * r), at(kF * r, kE * r), at(kD * r, kC * r));
    path.cubicTo(at(0.0, kB * r), at(0.0, kA * r), at(0.0, kReach * r));
}
} // namespace

QPainterPath continuousRoundedRect(const QRectF &rect, qreal radius)
{
    QPainterPath path;
    const qreal half = qMin(rect.width(), rect.height()) / 2.0;
    if (radius <= 0.0) {
        path.addRect(rect);
        return path;
    }
    if (radius * kReach > half) {
        const qreal r = qMin(radius, half);
        path.addRoundedRect(rect, r, r);
        return path;
    }
    const qreal r = radius;
    const qreal l = rect.left(), t = rect.top(), ri = rect.right(), b = rect.bottom();
    path.moveTo(l + kReach * r, t);
    path.lineTo(ri - kReach * r, t);
    addCorner(path, r, [&](qreal along, qreal across) { return QPointF(ri - along, t + across); });
    path.lineTo(ri, b - kReach * r);
    addCorner(path, r, [&](qreal along, qreal across) { return QPointF(ri - across, b - along); });
    path.lineTo(l + kReach * r, b);
    addCorner(path, r, [&](qreal along, qreal across) { return QPointF(l + along, b - across); });
    path.lineTo(l, t + kReach * r);
    addCorner(path, r, [&](qreal along, qreal across) { return QPointF(l + across, t + along); });
    path.closeSubpath();
    return path;
}

QPainterPath capsule(const QRectF &rect)
{
    QPainterPath path;
    const qreal r = qMin(rect.width(), rect.height()) / 2.0;
    path.addRoundedRect(rect, r, r);
    return path;
}

} // namespace velorinth
