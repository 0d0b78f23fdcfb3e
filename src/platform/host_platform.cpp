#include "host_platform.h"

#include "qt/settings_user_defaults.h"
#include "qt/stdout_console.h"
#include "qt/timer_clock.h"
#include "qt/widget_displays.h"
#include "qt/x11_press_watch.h"

#ifdef Q_OS_MACOS
#include "macos/apple_script_notifier.h"
#include "macos/apple_script_privileged_shell.h"
#include "macos/apple_script_volume_control.h"
#include "macos/pmset_sleep_command.h"
#include "macos/terminal_app_launcher.h"
#else
#include "linux/freedesktop_notifier.h"
#include "linux/linux_terminal_launcher.h"
#include "linux/pkexec_shell.h"
#include "linux/pulse_volume_control.h"
#include "linux/systemd_sleep_command.h"
#endif

namespace velorinth {

Platform makeHostPlatform(PlatformPaths paths)
{
    Platform platform;
    platform.defaults = std::make_unique<SettingsUserDefaults>();
    platform.clock = std::make_unique<TimerClock>();
    platform.console = std::make_unique<StdoutConsole>();
    platform.displays = std::make_unique<WidgetDisplays>();
    platform.presses = std::make_unique<X11PressWatch>();
#ifdef Q_OS_MACOS
    platform.host = HostTraits::mac();
    platform.volume = std::make_unique<AppleScriptVolumeControl>(paths);
    platform.sleep = std::make_unique<PmsetSleepCommand>(paths);
    platform.notifier = std::make_unique<AppleScriptNotifier>(paths);
    platform.privilegedShell = std::make_unique<AppleScriptPrivilegedShell>(paths);
    platform.terminal = std::make_unique<TerminalAppLauncher>(paths);
#else
    platform.host = HostTraits::linuxDesktop();
    platform.volume = std::make_unique<PulseVolumeControl>();
    platform.sleep = std::make_unique<SystemdSleepCommand>();
    platform.notifier = std::make_unique<FreedesktopNotifier>();
    platform.privilegedShell = std::make_unique<PkexecShell>();
    platform.terminal = std::make_unique<LinuxTerminalLauncher>();
#endif
    platform.paths = std::move(paths);
    return platform;
}

} // namespace velorinth
