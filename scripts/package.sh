#!/usr/bin/env bash
# Builds the Debian package (build/mitra_VERSION_ARCH.deb) with CPack from what
# `cmake --install` puts in place, then checks it: lintian must find no errors, and
# the file list is printed.
#   scripts/package.sh
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/build.sh" mitra_runtime
build="${MITRA_BUILD_DIR:-$root/build}"
cd "$build"
rm -f mitra_*.deb
cpack -G DEB --config "$build/CPackConfig.cmake" >cpack.log || { cat cpack.log; exit 1; }
deb=$(ls mitra_*.deb)
echo "== $build/$deb ($(du -k "$deb" | cut -f1) KiB)"
dpkg-deb -f "$deb" Depends
echo "== files"
dpkg-deb -c "$deb"
echo "== lintian"
# Errors fail the script; the warnings kept are listed with why in packaging/README.md.
lintian --tag-display-limit 0 "$deb" | tee lintian.log
if grep -q '^E:' lintian.log; then
  echo "lintian found errors in $deb" >&2
  exit 1
fi
