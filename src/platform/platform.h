#pragma once

#include "clock.h"
#include "console.h"
#include "displays.h"
#include "host_traits.h"
#include "notifier.h"
#include "platform_paths.h"
#include "press_watch.h"
#include "privileged_shell.h"
#include "sleep_command.h"
#include "terminal_launcher.h"
#include "user_defaults.h"
#include "volume_control.h"

#include <memory>

namespace velorinth {

// Every operating-system service the engine and the shell use, owned in one place.
struct Platform
{
    PlatformPaths paths;
    HostTraits host = HostTraits::linuxDesktop();
    std::unique_ptr<UserDefaults> defaults;
    std::unique_ptr<Clock> clock;
    std::unique_ptr<Console> console;
    std::unique_ptr<VolumeControl> volume;
    std::unique_ptr<SleepCommand> sleep;
    std::unique_ptr<Notifier> notifier;
    std::unique_ptr<Displays> displays;
    std::unique_ptr<PrivilegedShell> privilegedShell;
    std::unique_ptr<TerminalLauncher> terminal;
    std::unique_ptr<PressWatch> presses; // the shell's: the panel closes on a press elsewhere
};

} // namespace velorinth
