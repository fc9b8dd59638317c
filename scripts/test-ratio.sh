#!/usr/bin/env bash
# Prints how large the test suite is against the code it tests: lines of tests/*.cpp
# and tests/*.h against lines of every .cpp and .h under src/ and tools/.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
count() { find "$@" -type f \( -name '*.cpp' -o -name '*.h' \) -print0 | xargs -0 cat | wc -l; }
tests=$(count "$root/tests")
code=$(count "$root/src" "$root/tools")
awk -v t="$tests" -v c="$code" 'BEGIN { printf "tests %d lines, code %d lines: %.1f %%\n", t, c, 100 * t / c }'
