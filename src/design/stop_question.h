#pragma once

#include <functional>

class QString;
class QWidget;

namespace velorinth {

class ConfirmationOverlay;

// The question the main window and the panel put before a running session is stopped,
// hidden until presented over parent; machine is the word that names the computer.
// stop is called on "Arrêter" inside the standard spring, also when the session has ended
// meanwhile.
[[nodiscard]] ConfirmationOverlay *newStopQuestion(const QString &machine,
                                                   std::function<void()> stop, QWidget *parent);

} // namespace velorinth
