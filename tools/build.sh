#!/usr/bin/env bash
# Configures and builds into $BUILD_DIR (default: build/ beside the sources).
# Usage: build.sh [--target <target>…] [cmake configure options…]
#   without --target everything is built, the tests included.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build}
targets=()
while [[ "${1:-}" == --target ]]; do
    targets+=(--target "$2")
    shift 2
done
generator=()
command -v ninja >/dev/null && generator=(-G Ninja)
[[ -f "$build/CMakeCache.txt" ]] && generator=()
cmake -S "$root" -B "$build" "${generator[@]}" "$@" >/dev/null
cmake --build "$build" --parallel "${targets[@]}"
