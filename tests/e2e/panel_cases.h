#pragma once

// The floating panel's cases, the same on every desktop of the suite, run against the app's
// icon wherever the desktop's tray shows it: the app's own windows leave the panel open, a
// press anywhere else closes it, and the icon toggles it click after click.
#include <QPoint>

class QProcess;

namespace velorinth {
struct UserSession;
}

namespace velorinth::PanelCases {

// Opens the panel, brings the main window with the panel's button and drags the window by its
// background: the window follows, and the panel is still open 3 s later, longer than any of the
// app's timers.
void windowTakesItsPresses(UserSession &session, QPoint icon);

// Rows of "place": where a press outside the app falls.
void addPlacesElsewhere();
// Opens the panel and presses at the row's place: the panel is gone within a second.
void closesOnAPressElsewhere(const QProcess &app, QPoint icon);

// Rows of "gapMs": how far apart the clicks come.
void addClickGaps();
// `clicks` clicks on the icon, the row's gap apart: open, closed, open, and so on.
void iconToggles(const QProcess &app, QPoint icon, int clicks = 5);

} // namespace velorinth::PanelCases
