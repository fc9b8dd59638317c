#!/usr/bin/env bash
# Makes the demo routes' sounds in OUTDIR: the two-tone bus chime as WAV and MP3,
# a short step sound as MIDI and a key click as WAV (so every sound type is used).
# Needs sox and lame.
set -euo pipefail
out="$1"
mkdir -p "$out"
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT

# "ピン・ポーン": a high tone, then a lower one that rings out; a touch of the
# octave above gives both a bell-like colour.
tone() {  # file frequency octave length delay
  sox -q -n -r 44100 -c 1 -b 16 "$tmp/$1" synth "$4" sine "$2" sine "$3" \
      remix - fade l 0.005 "$4" "$4" vol 0.45 pad "$5" 0
}
tone hi.wav 784 1568 0.9 0
tone lo.wav 622.3 1244.6 1.4 0.42
sox -q -m "$tmp/hi.wav" "$tmp/lo.wav" "$out/chime.wav" norm -3
lame --quiet -b 128 "$out/chime.wav" "$out/chime.mp3"

# Key click: 40 ms.
sox -q -n -r 44100 -c 1 -b 16 "$out/key.wav" synth 0.04 sine 1760 fade l 0 0.04 0.03 vol 0.4

# Step sound: two vibraphone notes (C6, G5) as a one-track MIDI file, 96 ticks a beat.
printf 'MThd\x00\x00\x00\x06\x00\x00\x00\x01\x00\x60' > "$out/step.mid"
printf 'MTrk\x00\x00\x00\x17' >> "$out/step.mid"
printf '\x00\xc0\x0b\x00\x90\x54\x64\x30\x80\x54\x00\x00\x90\x4f\x64\x60\x80\x4f\x00\x00\xff\x2f\x00' >> "$out/step.mid"
