#!/usr/bin/env bash
# Builds the simulator and starts it on the bundled demo routes.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/build.sh"
build="${MITRA_BUILD_DIR:-$root/build}"
# An empty data folder in the options means the working directory: start in the
# folder that holds the demo routes, so route 1 works at once. The demo settings
# choose the demo chimes (a --settings of your own given here replaces them).
demo="$build/demo"
mkdir -p "$demo"
cd "$demo"
# The user's own copy of the demo settings: a rebuild rewrites demo.in4, never this.
settings="$demo/207_000.in4"
[ -f "$settings" ] || cp "$demo/demo.in4" "$settings"
exec "$build/src/207_000" --settings "$settings" "$@"
