#pragma once

#include "platform/platform_paths.h"
#include "platform/volume_control.h"

#include <chrono>

namespace velorinth {

// The output volume through Standard Additions' volume settings.
class AppleScriptVolumeControl final : public VolumeControl
{
public:
    // osascript starts in a tenth of a second; a longer wait means it is stuck.
    static constexpr std::chrono::milliseconds kLimit{1000};

    explicit AppleScriptVolumeControl(const PlatformPaths &paths);

    [[nodiscard]] std::optional<int> readPercent() override;
    [[nodiscard]] int maxPercent() const override { return 100; }
    [[nodiscard]] std::optional<QString> setPercent(int percent) override;

private:
    QString m_osascript;
};

} // namespace velorinth
