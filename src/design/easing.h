#pragma once

#include "design/animation.h"

#include <QEasingCurve>

namespace velorinth {

// The timing curves as the standard cubic Béziers (Qt's own quad/cubic presets move
// differently).
class Easing
{
public:
    [[nodiscard]] static const QEasingCurve &curve(Animation::Curve curve);
};

} // namespace velorinth
