#pragma once

// The app's warning near the end of a session, as the desktop's notification server shows it,
// with darkening on.
#include "e2e/app_from_outside.h"

#include <QString>

namespace velorinth {

// How bright the user sees things, from 0 (black) to 1 (white).
struct WarningOnScreen
{
    // The server's bubble for the warning's words, posted by the test with no darkening.
    double bubbleUndarkened = -1;
    // The app's own, once it shows near the end of the session.
    double bubble = -1;
    // A white window of another program beside the bubble.
    double windowBeside = -1;

    // The bubble as bright as without darkening (within 10 %) while the window beside it is dark.
    [[nodiscard]] bool readable() const;
    [[nodiscard]] QByteArray description() const;
};

// Starts a 15 s session with darkening on in `session`, whose warning comes 10 s before the end,
// and looks at the bubble, a window of class `bubbleClass`, until it reads or the session ends.
[[nodiscard]] WarningOnScreen warningNearTheEnd(UserSession &session, const QString &bubbleClass);

} // namespace velorinth
