#!/usr/bin/env bash
# Runs one command with the tests' private servers up, then stops them.
# Usage: with-test-services.sh [--real-desktop|--gnome-desktop] <command…>   (--real-desktop: a
# window manager and a panel with its tray in place of the bare compositor and tray host;
# --gnome-desktop: GNOME Shell with its top bar and the AppIndicator extension)
set -euo pipefail
source "$(dirname "$0")/test-services.sh"
desktop=bare
case "${1:-}" in
    --real-desktop) desktop=real; shift ;;
    --gnome-desktop) desktop=gnome; shift ;;
esac
trap stop_test_services EXIT
start_test_services "$desktop"
"$@"
