#!/usr/bin/env bash
# Processor share of the program while a long stop name scrolls, at 1x and at full
# screen 4x (a 2256 x 936 Xvfb screen), alternated: `bench/board_cpu_share.sh [PROGRAM] [ROUNDS]`.
# Each run measures 10 s of user + system time, from 4 s after start.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
program="${1:-$root/build/src/207_000}"
rounds="${2:-2}"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cat > "$work/one.sh" <<'EOS'
#!/bin/sh
# $1 program, $2 folder, $3 view command
printf 'call Form1.ChimeiCtl SetChimei "中央公民館南口停留所前・市民病院北口"\n%s\nwait 16000\nquit\n' "$3" > "$2/s.script"
"$1" --settings "$2/s.in4" --script "$2/s.script" 2>/dev/null &
pid=$!
sleep 4
a=$(awk '{print $14 + $15}' /proc/$pid/stat)
sleep 10
b=$(awk '{print $14 + $15}' /proc/$pid/stat)
hz=$(getconf CLK_TCK)
echo "$3: $(awk -v t=$((b - a)) -v hz="$hz" 'BEGIN { printf "%.1f", 100 * t / hz / 10 }') % of a core"
wait $pid
EOS
chmod +x "$work/one.sh"
for _ in $(seq "$rounds"); do
  for view in "zoom 1" "fullscreen 1"; do
    SDL_AUDIODRIVER=dummy xvfb-run -a -s "-screen 0 2256x936x24" "$work/one.sh" "$program" "$work" "$view"
  done
done
