#!/usr/bin/env bash
# Runs every fuzz target for a chosen time, each starting from its committed seeds.
#   scripts/fuzz.sh [SECONDS_PER_TARGET]   (default 60)
# Builds the targets with clang in build-fuzz/ first. New inputs the fuzzers find go
# to build-fuzz/corpus/, so the committed seeds stay small; crashes to build-fuzz/crashes/.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
seconds="${1:-60}"
build="${MITRA_FUZZ_BUILD_DIR:-$root/build-fuzz}"
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$root" -B "$build" -DMITRA_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ >/dev/null
fi
targets=(fuzz_fare_file fuzz_settings fuzz_fare_csv fuzz_script fuzz_tape_list fuzz_ticket_svg fuzz_remote_protocol)
cmake --build "$build" -j"$(nproc)" --target "${targets[@]}"
status=0
for t in "${targets[@]}"; do
  seeds="$root/fuzz/corpus/${t#fuzz_}"
  found="$build/corpus/${t#fuzz_}"
  crashes="$build/crashes/${t#fuzz_}"
  mkdir -p "$found" "$crashes"
  echo "== $t for ${seconds}s (seeds: $seeds)"
  if ! "$build/fuzz/$t" -max_total_time="$seconds" -artifact_prefix="$crashes/" "$found" "$seeds"; then
    echo "!! $t found a fault; the input is in $crashes" >&2
    status=1
  fi
done
exit $status
