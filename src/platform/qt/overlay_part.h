#pragma once

#include <QList>
#include <QRect>

#include <optional>

namespace velorinth {

// One of the windows that darken a screen: where it lies and how it stands among the desktop's
// windows.
struct OverlayPart
{
    QRect frame;
    // Left to the window manager at its top layer: above every application's window, under what
    // a compositing shell draws itself. Otherwise the window bypasses the window manager and is
    // kept above everything.
    bool managed = false;

    // The parts that darken `screen`. A shell that draws its notification banners itself over the
    // work area it leaves to windows (`shellWorkArea`, as GNOME Shell does) draws them under any
    // window that bypasses the window manager: there a managed window darkens that area, under
    // the banners, and bypassing ones darken the shell's bars around it, which it draws over every
    // managed window. Elsewhere one bypassing window darkens the whole screen.
    [[nodiscard]] static QList<OverlayPart> forScreen(const QRect &screen,
                                                      const std::optional<QRect> &shellWorkArea);

    bool operator==(const OverlayPart &) const = default;
};

} // namespace velorinth
