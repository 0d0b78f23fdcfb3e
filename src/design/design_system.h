#pragma once

#include "design/animation.h"

#include <QColor>
#include <QConicalGradient>
#include <QFont>
#include <QLinearGradient>

// The visual language shared by the main window and the panel. Points are Qt's
// device-independent pixels; colours are sRGB.
namespace velorinth::DesignSystem {

namespace Colors {
inline const QColor deepBlack = QColor::fromRgbF(0.02f, 0.02f, 0.02f);
inline const QColor appleBlue = QColor::fromRgbF(0.0f, 0.478f, 1.0f);
inline const QColor appleIndigo = QColor::fromRgbF(0.345f, 0.337f, 0.839f);
inline const QColor applePurple = QColor::fromRgbF(0.686f, 0.322f, 0.871f);
inline const QColor applePink = QColor::fromRgbF(1.0f, 0.176f, 0.333f);
inline const QColor textPrimary = QColor::fromRgbF(1.0f, 1.0f, 1.0f, 0.92f);
inline const QColor textSecondary = QColor::fromRgbF(1.0f, 1.0f, 1.0f, 0.55f);
inline const QColor textTertiary = QColor::fromRgbF(1.0f, 1.0f, 1.0f, 0.3f);
// Same value as glassSelection: this one tints foregrounds, that one fills hovered glass.
inline const QColor textQuaternary = QColor::fromRgbF(1.0f, 1.0f, 1.0f, 0.15f);
inline const QColor glassBackground = QColor::fromRgbF(1.0f, 1.0f, 1.0f, 0.06f);
inline const QColor glassBorder = QColor::fromRgbF(1.0f, 1.0f, 1.0f, 0.12f);
inline const QColor glassSelection = QColor::fromRgbF(1.0f, 1.0f, 1.0f, 0.15f);
} // namespace Colors

namespace Fonts {
// Rounded display face, semibold.
[[nodiscard]] QFont display(qreal size);
[[nodiscard]] QFont sans(qreal size, QFont::Weight weight = QFont::Normal);
// Monospaced, medium.
[[nodiscard]] QFont mono(qreal size);
} // namespace Fonts

namespace Gradients {
// Both follow the bounds of whatever shape they fill (object coordinates).
// Blue to indigo, top-leading to bottom-trailing corner.
inline const QLinearGradient primaryAccent = [] {
    QLinearGradient gradient(0.0, 0.0, 1.0, 1.0);
    gradient.setCoordinateMode(QGradient::ObjectMode);
    gradient.setColorAt(0.0, Colors::appleBlue);
    gradient.setColorAt(1.0, Colors::appleIndigo);
    return gradient;
}();
// Blue, purple, pink, back to blue, clockwise from 3 o'clock around the shape's centre.
// Qt's conical gradient turns anticlockwise, hence the stops in reverse.
inline const QConicalGradient sleepProgress = [] {
    QConicalGradient gradient(0.5, 0.5, 0.0);
    gradient.setCoordinateMode(QGradient::ObjectMode);
    gradient.setColorAt(0.0, Colors::appleBlue);
    gradient.setColorAt(1.0 / 3.0, Colors::applePink);
    gradient.setColorAt(2.0 / 3.0, Colors::applePurple);
    gradient.setColorAt(1.0, Colors::appleBlue);
    return gradient;
}();
} // namespace Gradients

namespace Animations {
inline constexpr Animation liquid = Animation::easeInOut(10.0).repeatedForever(true);
inline constexpr Animation spring = Animation::spring(0.45, 0.8);
inline constexpr Animation energetic = Animation::interactiveSpring(0.35, 0.65);
inline constexpr Animation fade = Animation::easeInOut(0.3);
} // namespace Animations

} // namespace velorinth::DesignSystem
