#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test with CTest while
# private servers are up (a two-monitor X server with a compositor, session and
# system D-Bus, PulseAudio with a null sink); they are stopped again at the end.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/tools/install-deps.sh" test
bash "$root/tools/build.sh"
bash "$root/tools/with-test-services.sh" \
    ctest --test-dir "${BUILD_DIR:-$root/build}" --output-on-failure --parallel "$(nproc)" "$@"
