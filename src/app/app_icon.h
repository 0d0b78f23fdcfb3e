#pragma once

#include <QByteArray>
#include <QIcon>
#include <QImage>
#include <QRectF>

class QPainter;

namespace velorinth::AppIcon {

// The application's icon: a crescent moon with two sparkles on the accent gradient, in a
// square with continuous corners. One drawing serves the window, the tray while no session
// runs, and the files installed for the desktop, so they never drift apart.

// Paints it to fill `square`.
void paint(QPainter &painter, const QRectF &square);
// Sharp at whatever size and pixel ratio a title bar or task switcher asks for.
[[nodiscard]] QIcon icon();
// `pixels` wide and high, for the installed PNGs.
[[nodiscard]] QImage image(int pixels);
// The same shapes and gradient as an SVG document, for the installed scalable icon.
[[nodiscard]] QByteArray svg();

} // namespace velorinth::AppIcon
