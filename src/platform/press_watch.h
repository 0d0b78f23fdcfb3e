#pragma once

#include <QObject>

namespace velorinth {

// The pointer's presses anywhere on the desktop, seen without taking the pointer from anyone:
// the floating panel closes when the user presses in another application, and a click on the
// tray's icon that closed it is told from a new one. It watches only from start() to stop(), so
// that no click on the desktop wakes an app whose panel is closed.
class PressWatch : public QObject
{
    Q_OBJECT

public:
    // Which presses a watch sees.
    enum class Reach {
        Nowhere, // no X server, or one without XInput 2.2
        X11ClientsOnly, // under XWayland: not those in the desktop's own or Wayland windows
        Everywhere,
    };
    enum class Place { InThisApp, Elsewhere };

    using QObject::QObject;

    // Starts watching, or goes on doing so.
    virtual Reach start() = 0;
    virtual void stop() = 0;

Q_SIGNALS:
    // A button of the pointer went down (the wheel's turns are no presses): in one of the app's
    // windows, or in another application's or the desktop's.
    void pressed(velorinth::PressWatch::Place place);
    void released();
};

} // namespace velorinth
