#!/usr/bin/env bash
# Runs one command with the tests' private servers up, then stops them.
# Usage: with-test-services.sh [--real-desktop] <command…>   (--real-desktop: a window manager and
# a panel with its tray in place of the bare compositor and tray host)
set -euo pipefail
source "$(dirname "$0")/test-services.sh"
desktop=bare
[[ "${1:-}" == --real-desktop ]] && { desktop=real; shift; }
trap stop_test_services EXIT
start_test_services "$desktop"
"$@"
