#!/usr/bin/env bash
# Configures and builds into $BUILD_DIR (default: build/ beside the sources).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build}
generator=()
command -v ninja >/dev/null && generator=(-G Ninja)
[[ -f "$build/CMakeCache.txt" ]] && generator=()
cmake -S "$root" -B "$build" "${generator[@]}" "$@" >/dev/null
cmake --build "$build" --parallel
