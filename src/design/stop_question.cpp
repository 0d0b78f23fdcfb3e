#include "design/stop_question.h"

#include "design/animated_change.h"
#include "design/confirmation_overlay.h"
#include "design/design_system.h"

namespace velorinth {

ConfirmationOverlay *newStopQuestion(const QString &machine, std::function<void()> stop,
                                     QWidget *parent)
{
    return new ConfirmationOverlay(
        {QStringLiteral("Arrêter la minuterie ?"),
         machine + QStringLiteral(" ne se mettra plus en veille automatiquement."),
         QStringLiteral("Arrêter"), QStringLiteral("Annuler")},
        [stop = std::move(stop)] { animated(DesignSystem::Animations::spring, stop); }, parent);
}

} // namespace velorinth
