#include "design/easing.h"

#include <QPointF>

namespace velorinth {

namespace {

QEasingCurve cubicBezier(QPointF control1, QPointF control2)
{
    QEasingCurve curve(QEasingCurve::BezierSpline);
    curve.addCubicBezierSegment(control1, control2, QPointF(1.0, 1.0));
    return curve;
}

} // namespace

const QEasingCurve &Easing::curve(Animation::Curve curve)
{
    static const QEasingCurve linear(QEasingCurve::Linear);
    static const QEasingCurve easeIn = cubicBezier({0.42, 0.0}, {1.0, 1.0});
    static const QEasingCurve easeOut = cubicBezier({0.0, 0.0}, {0.58, 1.0});
    static const QEasingCurve easeInOut = cubicBezier({0.42, 0.0}, {0.58, 1.0});
    switch (curve) {
    case Animation::Curve::EaseIn:
        return easeIn;
    case Animation::Curve::EaseOut:
        return easeOut;
    case Animation::Curve::EaseInOut:
        return easeInOut;
    case Animation::Curve::Linear:
    case Animation::Curve::Spring:
        break;
    }
    return linear;
}

} // namespace velorinth
