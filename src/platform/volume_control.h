#pragma once

#include <QString>

#include <optional>

namespace velorinth {

// The system output volume as a whole percent. Calls are synchronous but
// bounded, so a missing or hung sound server never freezes the UI.
class VolumeControl
{
public:
    virtual ~VolumeControl() = default;

    [[nodiscard]] virtual std::optional<int> readPercent() = 0; // nothing when unreadable
    // The loudest level setPercent() applies; louder ones are lowered to it.
    [[nodiscard]] virtual int maxPercent() const = 0;
    // Returns the reason when the volume could not be set.
    [[nodiscard]] virtual std::optional<QString> setPercent(int percent) = 0;
};

} // namespace velorinth
