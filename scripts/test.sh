#!/usr/bin/env bash
# Builds everything and runs the whole test suite. No display and no sound card needed.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/build.sh"
build="${MITRA_BUILD_DIR:-$root/build}"
export QT_QPA_PLATFORM=offscreen
export SDL_AUDIODRIVER=dummy
cd "$build"
ctest --output-on-failure -j"$(nproc)" "$@"
