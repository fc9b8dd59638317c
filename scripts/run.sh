#!/usr/bin/env bash
# Builds the simulator and starts it on the bundled demo routes.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/build.sh"
build="${MITRA_BUILD_DIR:-$root/build}"
# An empty data folder in the options means the working directory: start in the
# folder that holds the demo routes, so route 1 works at once.
demo="$build/demo"
mkdir -p "$demo"
cd "$demo"
# The demo settings turn the ticket preview on with a bundled ticket plug-in.
exec "$build/src/207_000" --settings "$demo/207_000.in4" "$@"
