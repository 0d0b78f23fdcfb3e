#!/usr/bin/env bash
# Installs what is missing, builds the app alone (no tests), and starts Velorinth.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/tools/install-deps.sh" run
# The icons too, so that `cmake --install` works after this build.
bash "$root/tools/build.sh" --target velorinth --target app_icons
exec "${BUILD_DIR:-$root/build}/src/app/velorinth"
