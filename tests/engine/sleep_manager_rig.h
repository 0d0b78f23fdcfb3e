#pragma once

#include "engine/settings_keys.h"
#include "engine/sleep_manager.h"
#include "support/fake_platform.h"
#include "support/paris_test_main.h"

#include <QVariantMap>

namespace velorinth {

// A SleepManager over fakes, created at a chosen Paris wall-clock time with
// chosen stored settings.
struct SleepManagerRig
{
    explicit SleepManagerRig(const QString &start, const QVariantMap &stored = {},
                             const QString &battPath = {})
        : fakes(paris(start))
    {
        fakes.defaults->values = stored;
        if (!battPath.isEmpty())
            fakes.platform.paths.batt = battPath;
        manager = std::make_unique<SleepManager>(fakes.platform);
    }

    void advance(double seconds)
    {
        fakes.clock->advance(std::chrono::milliseconds(qRound64(seconds * 1000)));
    }

    FakePlatform fakes;
    std::unique_ptr<SleepManager> manager;
};

} // namespace velorinth
