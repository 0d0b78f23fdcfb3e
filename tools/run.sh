#!/usr/bin/env bash
# Installs what is missing, builds, and starts Velorinth.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/tools/install-deps.sh" run
bash "$root/tools/build.sh"
exec "${BUILD_DIR:-$root/build}/src/app/velorinth"
