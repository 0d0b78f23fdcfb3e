# Sourced by test.sh: private servers for the tests, all under one temp dir,
# so no test touches the real display, buses, sound or ~/.config.

velorinth_services_dir=""
velorinth_pids=()

wait_until() { # <tries of 50 ms> <command…>
    local tries=$1; shift
    until "$@" >/dev/null 2>&1; do
        (( --tries > 0 )) || { echo "test services: gave up waiting for: $*" >&2; return 1; }
        sleep 0.05
    done
}

start_private_bus() { # <name> <variable>: exports the bus address in <variable>
    local dir=$velorinth_services_dir/$1
    mkdir -p "$dir"
    cat > "$dir/bus.conf" <<CONF
<busconfig>
  <type>$1</type>
  <listen>unix:dir=$dir</listen>
  <auth>EXTERNAL</auth>
  <policy context="default">
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
    <allow own="*"/>
    <allow user="*"/>
  </policy>
</busconfig>
CONF
    # Not in a command substitution: its subshell would drop the pid, leaving the daemon behind.
    dbus-daemon --config-file="$dir/bus.conf" --fork --print-address=3 --print-pid=4 \
        3>"$dir/address" 4>"$dir/pid"
    wait_until 200 test -s "$dir/pid"
    velorinth_pids+=("$(head -n 1 "$dir/pid")")
    wait_until 200 test -s "$dir/address"
    export "$2=$(head -n 1 "$dir/address")"
}

# The desktop's accessibility bus, where screen readers meet the apps' elements: the end-to-end
# cases find the app's buttons there by their names. Apps join it only when one asks them to;
# the desktop's own GTK programs, not under test, stay off it: joining held their start up on
# a loaded machine.
start_accessibility_bus() {
    export NO_AT_BRIDGE=1
    /usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
    velorinth_pids+=($!)
    wait_until 200 dbus-send --session --dest=org.freedesktop.DBus --print-reply \
        /org/freedesktop/DBus org.freedesktop.DBus.GetNameOwner string:org.a11y.Bus
}

start_two_monitor_x() {
    local dir=$velorinth_services_dir/x
    mkdir -p "$dir"
    cat > "$dir/xorg.conf" <<CONF
Section "Device"
    Identifier "dummy"
    Driver "dummy"
    VideoRam 256000
EndSection
Section "Screen"
    Identifier "screen"
    Device "dummy"
    DefaultDepth 24
    SubSection "Display"
        Depth 24
        Virtual 4096 2160
    EndSubSection
EndSection
CONF
    Xorg -noreset -nolisten tcp -config "$dir/xorg.conf" -logfile "$dir/xorg.log" \
        -displayfd 3 3>"$dir/display" >/dev/null 2>&1 &
    velorinth_pids+=($!)
    wait_until 200 test -s "$dir/display"
    export DISPLAY=":$(head -n 1 "$dir/display")"
    wait_until 200 xrandr -q
    # The dummy driver only knows a few modes: add one per monitor.
    xrandr --newmode left 83.50 1280 1352 1480 1680 800 803 809 831 -hsync +vsync
    xrandr --newmode right 109.00 1280 1368 1496 1712 1024 1027 1034 1063 -hsync +vsync
    xrandr --addmode DUMMY0 left
    xrandr --addmode DUMMY1 right
    xrandr --output DUMMY0 --mode left --pos 0x0 --primary \
           --output DUMMY1 --mode right --pos 1280x0
}

# A bare desktop: a compositor and a tray host (XEmbed) along the top right, with no window
# manager, where the app's tray icon and panel are tested.
start_bare_desktop() {
    xcompmgr >/dev/null 2>&1 &
    velorinth_pids+=($!)
    trayer --edge top --align right --widthtype pixel --width 200 --height 32 >/dev/null 2>&1 &
    velorinth_pids+=($!)
    wait_until 200 xdotool search --class trayer
}

# A full desktop as users have one: a compositing window manager and a 30 px bar along the top
# of the primary monitor with a task list, a status tray (StatusNotifierItem and XEmbed) and a
# clock, both set up through their settings daemon on the session bus, and a notification server.
start_real_desktop() {
    local settings=$XDG_CONFIG_HOME/xfce4/xfconf/xfce-perchannel-xml
    mkdir -p "$settings"
    cp "$(dirname "${BASH_SOURCE[0]}")"/desktop/*.xml "$settings"
    /usr/lib/x86_64-linux-gnu/xfce4/xfconf/xfconfd >/dev/null 2>&1 &
    velorinth_pids+=($!)
    wait_until 200 dbus-send --session --dest=org.freedesktop.DBus --print-reply \
        /org/freedesktop/DBus org.freedesktop.DBus.GetNameOwner string:org.xfce.Xfconf
    xfwm4 --compositor=on --sm-client-disable >/dev/null 2>&1 &
    velorinth_pids+=($!)
    xfce4-panel --sm-client-disable >/dev/null 2>&1 &
    velorinth_pids+=($!)
    wait_until 200 xdotool search --onlyvisible --class xfce4-panel
    # Ready once its tray hosts items of either kind.
    wait_until 200 dbus-send --session --dest=org.freedesktop.DBus --print-reply \
        /org/freedesktop/DBus org.freedesktop.DBus.GetNameOwner string:org.kde.StatusNotifierWatcher
    wait_until 200 sh -c 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"'
    /usr/lib/x86_64-linux-gnu/xfce4/notifyd/xfce4-notifyd >/dev/null 2>&1 &
    velorinth_pids+=($!)
    wait_until 200 dbus-send --session --dest=org.freedesktop.DBus --print-reply \
        /org/freedesktop/DBus org.freedesktop.DBus.GetNameOwner string:org.freedesktop.Notifications
}

# GNOME Shell as most Linux users have it, on X: its top bar, drawn by the compositor, on the
# primary monitor, its notification server, and the AppIndicator extension that hosts tray
# icons (StatusNotifierItems and XEmbed ones) in the bar.
start_gnome_desktop() {
    export XDG_CURRENT_DESKTOP=GNOME XDG_SESSION_TYPE=x11 XDG_SESSION_DESKTOP=gnome \
        GNOME_SHELL_SESSION_MODE=user XDG_DATA_DIRS=/usr/share:/usr/local/share \
        XDG_CONFIG_DIRS=/etc/xdg
    # mutter keeps the two monitors as they are only when told; it would otherwise switch both
    # to their largest mode.
    mkdir -p "$XDG_CONFIG_HOME"
    local spec='<vendor>unknown</vendor><product>unknown</product><serial>unknown</serial>'
    cat > "$XDG_CONFIG_HOME/monitors.xml" <<XML
<monitors version="2"><configuration>
  <logicalmonitor><x>0</x><y>0</y><scale>1</scale><primary>yes</primary>
    <monitor><monitorspec><connector>DUMMY0</connector>$spec</monitorspec>
      <mode><width>1280</width><height>800</height><rate>59.810326</rate></mode></monitor>
  </logicalmonitor>
  <logicalmonitor><x>1280</x><y>0</y><scale>1</scale>
    <monitor><monitorspec><connector>DUMMY1</connector>$spec</monitorspec>
      <mode><width>1280</width><height>1024</height><rate>59.894849</rate></mode></monitor>
  </logicalmonitor>
</configuration></monitors>
XML
    /usr/libexec/dconf-service >/dev/null 2>&1 &
    velorinth_pids+=($!)
    wait_until 200 dbus-send --session --dest=org.freedesktop.DBus --print-reply \
        /org/freedesktop/DBus org.freedesktop.DBus.GetNameOwner string:ca.desrt.dconf
    gsettings set org.gnome.shell enabled-extensions "['ubuntu-appindicators@ubuntu.com']"
    gsettings set org.gnome.shell welcome-dialog-last-shown-version "'99.0'"
    gnome-shell --x11 --replace >/dev/null 2>&1 &
    velorinth_pids+=($!)
    # Ready once the extension's watcher takes items in and the shell has left the overview it
    # opens at start, without windows.
    wait_until 1200 dbus-send --session --dest=org.kde.StatusNotifierWatcher --print-reply \
        /StatusNotifierWatcher org.freedesktop.DBus.Properties.Get \
        string:org.kde.StatusNotifierWatcher string:IsStatusNotifierHostRegistered
    wait_until 1200 gnome_overview_is true
    dbus-send --session --dest=org.gnome.Shell --print-reply /org/gnome/Shell \
        org.freedesktop.DBus.Properties.Set string:org.gnome.Shell string:OverviewActive \
        variant:boolean:false >/dev/null
    wait_until 200 gnome_overview_is false
    # The bus starts nothing by itself, and the notification server needs the shell up.
    gjs /usr/share/gnome-shell/org.gnome.Shell.Notifications >/dev/null 2>&1 &
    velorinth_pids+=($!)
    /usr/libexec/gnome-shell-calendar-server >/dev/null 2>&1 &
    velorinth_pids+=($!)
    wait_until 200 dbus-send --session --dest=org.freedesktop.DBus --print-reply \
        /org/freedesktop/DBus org.freedesktop.DBus.GetNameOwner \
        string:org.freedesktop.Notifications
}

gnome_overview_is() { # <true|false>
    dbus-send --session --dest=org.gnome.Shell --print-reply /org/gnome/Shell \
        org.freedesktop.DBus.Properties.Get string:org.gnome.Shell string:OverviewActive \
        | grep -q "boolean $1"
}

start_pulseaudio() {
    pulseaudio --daemonize=no --exit-idle-time=-1 -n \
        --load=module-native-protocol-unix \
        --load="module-null-sink sink_name=nullsink" >"$velorinth_services_dir/pulse.log" 2>&1 &
    velorinth_pids+=($!)
    export PULSE_SERVER="unix:$XDG_RUNTIME_DIR/pulse/native"
    wait_until 200 pactl info
}

# <desktop>: bare (the default), real or gnome, as start_<desktop>_desktop starts it.
start_test_services() {
    local desktop=${1:-bare}
    velorinth_services_dir=$(mktemp -d /tmp/velorinth-tests.XXXXXX)
    chmod 700 "$velorinth_services_dir"
    export HOME=$velorinth_services_dir/home
    export XDG_CONFIG_HOME=$HOME/.config XDG_DATA_HOME=$HOME/.local/share XDG_CACHE_HOME=$HOME/.cache
    export XDG_RUNTIME_DIR=$velorinth_services_dir/runtime
    mkdir -p "$HOME" "$XDG_RUNTIME_DIR"
    chmod 700 "$XDG_RUNTIME_DIR"

    start_private_bus session DBUS_SESSION_BUS_ADDRESS
    start_private_bus system DBUS_SYSTEM_BUS_ADDRESS
    start_two_monitor_x
    start_accessibility_bus
    start_pulseaudio # first: a desktop shows the sound output once it finds one
    "start_${desktop}_desktop"
}

# Whether process <pid> has ended (a zombie has).
ended() {
    local state
    state=$(cut -d' ' -f3 "/proc/$1/stat" 2>/dev/null) || return 0
    [[ $state == Z ]]
}

stop_test_services() {
    local i pid
    # The desktop's programs before the servers they talk to, without which some hang on
    # their way out; whatever lingers is killed.
    for (( i = ${#velorinth_pids[@]} - 1; i >= 0; i-- )); do
        pid=${velorinth_pids[i]}
        kill -CONT "$pid" 2>/dev/null || true
        kill "$pid" 2>/dev/null || true
        wait_until 100 ended "$pid" 2>/dev/null || kill -KILL "$pid" 2>/dev/null || true
    done
    wait 2>/dev/null || true
    [[ -n "$velorinth_services_dir" ]] && rm -rf "$velorinth_services_dir"
}
