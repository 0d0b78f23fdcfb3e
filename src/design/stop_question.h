#pragma once

#include <functional>

class QWidget;

namespace velorinth {

class ConfirmationOverlay;

// The question the main window and the panel put before a running session is stopped,
// hidden until presented over parent. stop is called on "Arrêter" inside the standard
// spring, also when the session has ended meanwhile.
[[nodiscard]] ConfirmationOverlay *newStopQuestion(std::function<void()> stop, QWidget *parent);

} // namespace velorinth
