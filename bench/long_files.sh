#!/usr/bin/env bash
# Converts long valid files whole and prints, per file, its length, the bytes
# it holds, our transcoder's wall time, peak memory and exit status, and the
# length of the output: a 9-hour AAC M4A (44.1 kHz), 24-hour AAC M4Bs (44.1
# and 48 kHz, the latter also silent, the densest MP4 index per byte), 24
# hours of MP3, FLAC, Opus and Vorbis in MKA, and a 2-hour WAV. The long files
# are stream copies of a 10-minute clip. Each run writes a mono 8 kHz WAV, so
# the figures are mostly the decoding's.
#
# Usage: bench/long_files.sh [path/to/conv] [hours]   (hours: the long ones, 24)
# ffmpeg only makes the inputs; the program never uses it. Needs some 14 GB of
# scratch space (the FLAC alone takes 9) and about half an hour.
set -euo pipefail
shopt -s inherit_errexit

source "$(dirname "$0")/transcoder_bench.sh"
hours=${2:-24}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
ff() { ffmpeg -nostdin -loglevel error -y "$@"; }
tone() { echo "aevalsrc=0.3*sin(2*PI*440*t)|0.3*sin(2*PI*550*t):s=$1:d=600"; }

echo "making the inputs..." >&2
ff -f lavfi -i "$(tone 44100)" -c:a aac -b:a 64k "$work/c44.m4a"
ff -f lavfi -i "$(tone 48000)" -c:a aac -b:a 64k "$work/c48.m4a"
ff -f lavfi -i "anullsrc=r=48000:cl=mono" -t 600 -c:a aac "$work/silent.m4a"
ff -i "$work/c44.m4a" -c:a libmp3lame -b:a 64k "$work/c.mp3"
ff -i "$work/c44.m4a" -c:a flac "$work/c.flac"
ff -i "$work/c48.m4a" -c:a libopus -b:a 48k "$work/c.opus"
ff -i "$work/c48.m4a" -c:a libvorbis "$work/c.mka"
# Loops of the 10-minute clip: "clip loops output [muxer]".
loop() { ff -stream_loop $(($2 - 1)) -i "$work/$1" -c copy ${4:+-f "$4"} "$work/$3"; }
long=$((hours * 6))
loop c44.m4a 54 9h.m4a
loop c44.m4a $long "${hours}h-44k.m4b" ipod
loop c48.m4a $long "${hours}h-48k.m4b" ipod
loop silent.m4a $long "${hours}h-silent.m4b" ipod
for ext in mp3 flac opus mka; do loop c.$ext $long "${hours}h.$ext"; done
ff -f lavfi -i "sine=f=440:d=7200:r=44100" -ac 2 -c:a pcm_s16le "$work/2h.wav"

printf '%-16s %9s %9s %9s %9s %5s %12s\n' file stated_h MB_held wall_s peak_MB exit output_h
for name in 9h.m4a "${hours}h-44k.m4b" "${hours}h-48k.m4b" "${hours}h-silent.m4b" \
  "${hours}h.mp3" "${hours}h.flac" "${hours}h.opus" "${hours}h.mka" 2h.wav; do
  file=$work/$name
  stated=$(ffprobe -v error -show_entries format=duration -of csv=p=0 "$file")
  status=0
  /usr/bin/time -f "%e %M" -o "$work/time" "$conv" -i "$file" -y -ar 8000 -ac 1 "$work/out.wav" \
    >/dev/null 2>&1 || status=$?
  out=$(ffprobe -v error -show_entries format=duration -of csv=p=0 "$work/out.wav" 2>/dev/null || echo 0)
  read -r wall peak < <(tail -1 "$work/time")
  awk -v n="$name" -v s="$stated" -v b="$(stat -c %b "$file")" -v w="$wall" -v p="$peak" \
    -v x="$status" -v o="$out" 'BEGIN {
    printf "%-16s %9.2f %9.1f %9.1f %9.1f %5d %12.2f\n", n, s / 3600, b * 512 / 1048576, w, p / 1024, x, o / 3600 }'
  rm -f "$work/out.wav"
done
