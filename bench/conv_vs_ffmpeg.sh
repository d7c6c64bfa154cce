#!/usr/bin/env bash
# Times our transcoder against Debian's ffmpeg command on one 10-minute input
# (an MP4 with a video stream and stereo AAC), for each of the eight output
# formats, with the settings the main window's command lines ask for.
# FLAC is 16-bit on both sides, as our WAV is.
# Prints, per format, the ratio conv/ffmpeg of CPU time (user + system) and of
# wall time, each the median of RUNS runs, and conv's peak memory: on that
# input, and (once) on a 20 KB WAV at 1 Hz brought up to 44.1 kHz (8 kHz for
# AMR), where every input sample becomes tens of thousands.
#
# Usage: bench/conv_vs_ffmpeg.sh [path/to/conv] [runs]
# ffmpeg serves only this comparison; the program never uses it.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
conv=${1:-$here/../build/bin/data/conv}
runs=${2:-3}
[ -x "$conv" ] || { echo "no transcoder at $conv (build first)" >&2; exit 1; }

need=()
command -v ffmpeg >/dev/null || need+=(ffmpeg)
[ -x /usr/bin/time ] || need+=(time)
if [ ${#need[@]} -gt 0 ]; then
  apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${need[@]}" >/dev/null
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
input=$work/input.mp4
echo "making the 10-minute input..." >&2
ffmpeg -nostdin -loglevel error \
  -f lavfi -i "testsrc=size=320x240:rate=25:duration=600" \
  -f lavfi -i "aevalsrc=0.4*sin(2*PI*440*t)*sin(2*PI*0.5*t)+0.1*random(0)|0.4*sin(2*PI*660*t)+0.1*random(1):s=44100:d=600" \
  -c:v mpeg4 -q:v 5 -c:a aac -b:a 160k -metadata title="Bench" "$input"
slow=$work/slow.wav
ffmpeg -nostdin -loglevel error -f lavfi -i "aevalsrc=0.5*sin(0.7*n):s=1:d=10240" -c:a pcm_s16le "$slow"

# format | conv's options (as the main window writes them) | ffmpeg's equivalent
rows=(
  "mp3|-ab 192k -ar 44100 -ac 2 -map_meta_data $input:OUT|-c:a libmp3lame -b:a 192k -ar 44100 -ac 2"
  "wma|-acodec wmav1 -map_meta_data $input:OUT|-c:a wmav1 -b:a 128k"
  "ogg|-ac 2 -map_meta_data $input:OUT|-c:a libvorbis -ac 2"
  "wav|-acodec pcm_s16le|-c:a pcm_s16le"
  "flac||-c:a flac -sample_fmt s16"
  "ac3||-c:a ac3"
  "aac||-c:a aac"
  "amr|-ar 8000 -ab 7.4k -ac 1|"
)

# Prints "wall cpu peakKiB" of one run.
measure() {
  /usr/bin/time -f "%e %U %S %M" -o "$work/time" "$@" >/dev/null 2>&1 || { echo "failed: $*" >&2; exit 1; }
  awk '{ printf "%s %.2f %s\n", $1, $2 + $3, $4 }' "$work/time"
}

# Median of each column over the runs.
median_of() {
  local out=()
  for ((i = 0; i < runs; i++)); do out+=("$("$@")"); done
  printf '%s\n' "${out[@]}" | awk -v n="$runs" '
    { w[NR] = $1; c[NR] = $2; m[NR] = $3 }
    function med(a,   i, j, t) { for (i = 1; i <= n; i++) for (j = i + 1; j <= n; j++) if (a[j] < a[i]) { t = a[i]; a[i] = a[j]; a[j] = t }
                                 return a[int((n + 1) / 2)] }
    END { printf "%s %s %s\n", med(w), med(c), med(m) }'
}

printf '%-5s %9s %9s %9s %9s %9s %9s %9s %9s\n' format conv_cpu ffm_cpu cpu_ratio conv_wall ffm_wall wall_ratio conv_MB 1Hz_MB
for row in "${rows[@]}"; do
  IFS='|' read -r ext conv_opts ffmpeg_opts <<<"$row"
  out=$work/out.$ext
  read -r -a conv_args <<<"${conv_opts//OUT/$out}"
  read -r cw cc cm < <(median_of measure "$conv" -i "$input" -y -vn "${conv_args[@]}" "$out")
  slow_opts=${conv_opts//$input/$slow}
  [[ $slow_opts == *-ar* ]] || slow_opts+=" -ar 44100"
  read -r -a slow_args <<<"${slow_opts//OUT/$out}"
  read -r _ _ sm < <(measure "$conv" -i "$slow" -y -vn "${slow_args[@]}" "$out")
  if [ -n "$ffmpeg_opts" ]; then
    read -r -a ffmpeg_args <<<"$ffmpeg_opts"
    read -r fw fc _ < <(median_of measure ffmpeg -nostdin -i "$input" -y -vn "${ffmpeg_args[@]}" "$out")
    awk -v e="$ext" -v cc="$cc" -v fc="$fc" -v cw="$cw" -v fw="$fw" -v cm="$cm" -v sm="$sm" 'BEGIN {
      printf "%-5s %9.2f %9.2f %9.3f %9.2f %9.2f %9.3f %9.1f %9.1f\n", e, cc, fc, cc / fc, cw, fw, cw / fw, cm / 1024, sm / 1024 }'
  else
    # Debian's libavcodec has no AMR-NB encoder, so ffmpeg has nothing to compare.
    awk -v e="$ext" -v cc="$cc" -v cw="$cw" -v cm="$cm" -v sm="$sm" 'BEGIN {
      printf "%-5s %9.2f %9s %9s %9.2f %9s %9s %9.1f %9.1f\n", e, cc, "-", "n/a", cw, "-", "n/a", cm / 1024, sm / 1024 }'
  fi
done
