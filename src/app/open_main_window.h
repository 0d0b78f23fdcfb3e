#pragma once

namespace velorinth {

// Shows the main window, brings it in front of the other windows and gives it the keyboard.
// Does nothing when there is none.
void openMainWindow();

} // namespace velorinth
