#pragma once

// The app's warning near the end of a session, as the desktop's notification server shows it,
// with darkening on.
#include "e2e/app_from_outside.h"

#include <QString>

#include <functional>

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

// How the test sees the desktop's notification bubbles.
struct BubbleSight
{
    // Where the server shows one now; empty while it shows none.
    std::function<QRect()> find;
    // Found anew while the screens darken: the server may put the app's bubble elsewhere.
    // Otherwise it is looked for where the test's showed.
    bool followed = true;
};
// A server whose bubbles are windows of `windowClass`.
[[nodiscard]] BubbleSight bubbleWindowsOf(const QString &windowClass);

// Starts a 15 s session with darkening on in `session`, whose warning comes 10 s before the end,
// and looks at the app's bubble until it reads or the session ends.
[[nodiscard]] WarningOnScreen warningNearTheEnd(UserSession &session, const BubbleSight &bubble);

} // namespace velorinth
