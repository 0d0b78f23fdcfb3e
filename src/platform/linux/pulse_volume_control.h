#pragma once

#include "platform/volume_control.h"

#include <chrono>
#include <functional>

struct pa_context;
struct pa_cvolume;
struct pa_mainloop;
struct pa_operation;

namespace velorinth {

// The default sink's volume through libpulse, which PulseAudio and PipeWire's
// pulse server both speak. One connection stays open between calls and is made
// again once the server has gone away. Each call gives up after kBudget, so a
// missing or hung sound server never freezes the caller.
class PulseVolumeControl final : public VolumeControl
{
public:
    static constexpr std::chrono::milliseconds kBudget{500};

    PulseVolumeControl();
    ~PulseVolumeControl() override;
    PulseVolumeControl(const PulseVolumeControl &) = delete;
    PulseVolumeControl &operator=(const PulseVolumeControl &) = delete;

    [[nodiscard]] std::optional<int> readPercent() override;
    [[nodiscard]] int maxPercent() const override;
    [[nodiscard]] std::optional<QString> setPercent(int percent) override;

private:
    using Deadline = std::chrono::steady_clock::time_point;
    using Failure = std::optional<QString>;

    [[nodiscard]] Failure readSinkVolume(pa_cvolume &volume, Deadline deadline);
    [[nodiscard]] Failure request(Deadline deadline,
                                  const std::function<pa_operation *(pa_context *)> &start);
    [[nodiscard]] Failure connect(Deadline deadline);
    void disconnect();
    [[nodiscard]] bool iterateUntil(Deadline deadline, const std::function<bool()> &done);
    [[nodiscard]] QString lastError() const;

    pa_mainloop *m_mainloop;
    pa_context *m_context = nullptr;
};

} // namespace velorinth
