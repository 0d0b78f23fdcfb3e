#pragma once

#include "support/fake_clock.h"
#include "support/fake_displays.h"
#include "support/fake_services.h"
#include "support/memory_user_defaults.h"

#include "platform/platform.h"

namespace velorinth {

// A Platform made of fakes, with typed access to each of them.
struct FakePlatform
{
    explicit FakePlatform(const QDateTime &start);

    Platform platform;
    MemoryUserDefaults *defaults;
    FakeClock *clock;
    FakeConsole *console;
    FakeVolumeControl *volume;
    FakeSleepCommand *sleep;
    FakeNotifier *notifier;
    FakeDisplays *displays;
    FakePrivilegedShell *privilegedShell;
    FakeTerminalLauncher *terminal;
    FakePressWatch *presses;
};

} // namespace velorinth
