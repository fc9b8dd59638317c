#!/usr/bin/env bash
# Builds what running needs (the program, its tools, the demo data; not the tests)
# and starts the simulator on the bundled demo routes.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/build.sh" mitra_runtime
build="${MITRA_BUILD_DIR:-$root/build}"
demo="$build/demo"
# The settings live in the per-user folder, apart from an installed program's, so
# `rm -rf build` loses nothing. A first run copies the demo settings (the demo's
# routes, chimes and ticket preview chosen, in build/demo); the settings of an
# older run kept in build/demo are copied over once.
config="${XDG_CONFIG_HOME:-$HOME/.config}"
case "$config" in /*) ;; *) config="$HOME/.config" ;; esac
settings_dir="$config/mitra/source-build"
settings="$settings_dir/207_000.in4"
mkdir -p "$settings_dir"
if [ ! -f "$settings" ]; then
  if [ -f "$demo/207_000.in4" ]; then
    for f in "$demo"/207_000.in4 "$demo"/207_000.view "$demo"/207_000.voice; do
      [ -f "$f" ] && cp "$f" "$settings_dir/"
    done
  else
    cp "$demo/demo.in4" "$settings"
  fi
fi
# An empty data folder in the options means the working folder: start in the demo's.
cd "$demo"
exec "$build/src/207_000" --settings "$settings" "$@"
