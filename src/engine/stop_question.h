#pragma once

#include "platform/host_traits.h"

#include <QString>

namespace velorinth {

// The words of the question put before a running session is stopped: the main window and
// the panel ask it alike, naming the machine the session would have put to sleep.
struct StopQuestion
{
    QString title;
    QString message;
    QString confirmLabel; // stops the session
    QString cancelLabel;

    [[nodiscard]] static StopQuestion on(const HostTraits &host)
    {
        return {QStringLiteral("Arrêter la minuterie ?"),
                host.machine + QStringLiteral(" ne se mettra plus en veille automatiquement."),
                QStringLiteral("Arrêter"), QStringLiteral("Annuler")};
    }
};

} // namespace velorinth
