#!/usr/bin/env bash
# Installs every system package the project needs to build, run and test (Debian 12).
# Safe to run again: it only installs what is missing.
set -euo pipefail

packages=(
  build-essential cmake pkg-config
  qt6-base-dev qt6-base-dev-tools libqt6svg6 qt6-svg-dev qt6-image-formats-plugins qt6-qpa-plugins
  zbar-tools
  libgl-dev
  libgtest-dev googletest libbenchmark-dev
  clang
  libfreetype-dev zlib1g-dev xfonts-shinonome
  libzip-dev
  fonts-ipafont-gothic fonts-ipafont-mincho
  qt6-translations-l10n
  xvfb xauth x11-utils imagemagick
  libsdl2-mixer-dev libfluidsynth3 timgm6mb-soundfont sox lame
  open-jtalk open-jtalk-mecab-naist-jdic hts-voice-nitech-jp-atr503-m001
  libzint-dev
  libavformat-dev libavcodec-dev libswscale-dev libswresample-dev libavutil-dev
  chromium chromium-driver
  desktop-file-utils appstream lintian dpkg-dev file
)

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
# The speech voice sits in the archive's contrib component: when apt cannot find it,
# add contrib to the components of the existing source entries (never a new source).
voice_candidate=$(apt-cache policy hts-voice-nitech-jp-atr503-m001 2>/dev/null | awk '/Candidate:/ {print $2}')
if [ -z "$voice_candidate" ] || [ "$voice_candidate" = "(none)" ]; then
  for f in /etc/apt/sources.list.d/*.sources; do
    [ -f "$f" ] || continue
    $SUDO sed -i -E '/^Components:/{/(^|[[:space:]])contrib([[:space:]]|$)/!s/$/ contrib/}' "$f"
  done
  if [ -f /etc/apt/sources.list ]; then
    $SUDO sed -i -E '/^[[:space:]]*deb(-src)?[[:space:]]/{/[[:space:]]contrib([[:space:]]|$)/!s/[[:space:]]+main([[:space:]]|$)/ main contrib\1/}' /etc/apt/sources.list
  fi
  $SUDO apt-get update -qq
fi
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
