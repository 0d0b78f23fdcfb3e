#!/usr/bin/env bash
# Installs the Debian 12 packages that building, running and testing need.
# Usage: install-deps.sh [run|test|bench]   (test adds the servers the tests start;
# bench adds what the benchmarks build and run with)
set -euo pipefail

packages=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev libgl-dev libpulse-dev libxcb1-dev libxcb-shape0-dev libxcb-xinput-dev
    libqt6dbus6 libqt6test6 qt6-qpa-plugins
    fonts-inter fonts-jetbrains-mono fonts-quicksand fonts-comfortaa
    fonts-material-design-icons-iconfont fonts-dejavu-core
)
if [[ "${1:-run}" == test || "${1:-run}" == bench ]]; then
    packages+=(
        dbus-daemon pulseaudio pulseaudio-utils
        xserver-xorg-core xserver-xorg-video-dummy x11-xserver-utils x11-utils
        xcompmgr imagemagick xdotool trayer xfwm4 xfce4-panel xfconf dunst xfce4-notifyd
        gnome-shell gnome-shell-extension-appindicator gjs dconf-service dbus-bin at-spi2-core
    )
fi
[[ "${1:-run}" == bench ]] && packages+=(libxcb-damage0-dev python3)

missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' \
        || missing+=("$package")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

sudo=()
[[ $(id -u) -ne 0 ]] && sudo=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get -o DPkg::Lock::Timeout=600 update -qq
"${sudo[@]}" apt-get -o DPkg::Lock::Timeout=600 install -y --no-install-recommends "${missing[@]}"
