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

# Key click: 40 ms, at the chime's loudness (RMS over the sound itself).
sox -q -n -r 44100 -c 1 -b 16 "$out/key.wav" synth 0.04 sine 1760 fade l 0 0.04 0.03 vol 0.3

# Step sound: two vibraphone notes (C6, G5) as a one-track MIDI file, 96 ticks a beat.
# One note of the General MIDI synthesiser sounds about 20 dB below the chime, so
# each note sounds in unison on four channels at full volume and velocity, which
# brings the step to the chime's level and peak.
printf 'MThd\x00\x00\x00\x06\x00\x00\x00\x01\x00\x60' > "$out/step.mid"
{
  printf 'MTrk\x00\x00\x00\x70'  # 112 bytes of events follow
  printf '\x00\xc0\x0b\x00\xb0\x07\x7f\x00\xb0\x0b\x7f'  # channel 1: vibraphone, volume, expression
  printf '\x00\xc1\x0b\x00\xb1\x07\x7f\x00\xb1\x0b\x7f'  # channel 2: vibraphone, volume, expression
  printf '\x00\xc2\x0b\x00\xb2\x07\x7f\x00\xb2\x0b\x7f'  # channel 3: vibraphone, volume, expression
  printf '\x00\xc3\x0b\x00\xb3\x07\x7f\x00\xb3\x0b\x7f'  # channel 4: vibraphone, volume, expression
  printf '\x00\x90\x54\x7f\x00\x91\x54\x7f\x00\x92\x54\x7f\x00\x93\x54\x7f'  # C6, half a beat on four channels
  printf '\x30\x80\x54\x00\x00\x81\x54\x00\x00\x82\x54\x00\x00\x83\x54\x00'
  printf '\x00\x90\x4f\x7f\x00\x91\x4f\x7f\x00\x92\x4f\x7f\x00\x93\x4f\x7f'  # G5, one beat on four channels
  printf '\x60\x80\x4f\x00\x00\x81\x4f\x00\x00\x82\x4f\x00\x00\x83\x4f\x00'
  printf '\x00\xff\x2f\x00'  # end of track
} >> "$out/step.mid"
