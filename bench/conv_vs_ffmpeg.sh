#!/usr/bin/env bash
# Times our transcoder against Debian's ffmpeg command on one 10-minute input
# (an MP4 with a video stream and stereo AAC), for each of the eight output
# formats, with the settings the main window's command lines ask for.
# FLAC is 16-bit on both sides, as our WAV is.
# Prints, per format, the ratio conv/ffmpeg of CPU time (user + system) and of
# wall time, each the median of RUNS runs, and conv's peak memory: on that
# input, and (once) on a 20 KB WAV at 1 Hz brought up to 44.1 kHz (8 kHz for
# AMR), where every input sample becomes tens of thousands. Then, once each,
# on three files whose headers claim sizes that make the libraries allocate
# gigabytes, which the run refuses within its bound: a 120-byte WAV whose tag
# list claims 2 GB (tags), an M4A whose sample tables claim 80,000,000
# samples (index), and a sparse WAV over 4 GiB, its size wrapped, at rate 0
# (rate0).
#
# Usage: bench/conv_vs_ffmpeg.sh [path/to/conv] [runs]
# ffmpeg serves only this comparison; the program never uses it.
set -euo pipefail
# A run that fails inside $(...) stops the benchmark, instead of leaving a
# blank figure that prints as 0.
shopt -s inherit_errexit

source "$(dirname "$0")/transcoder_bench.sh"
runs=${2:-3}

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

# The bytes of a number, least or most significant first, as printf escapes.
le32() { printf '\\x%02x' $(($1 & 255)) $(($1 >> 8 & 255)) $(($1 >> 16 & 255)) $(($1 >> 24 & 255)); }
be32() { printf '\\x%02x' $(($1 >> 24 & 255)) $(($1 >> 16 & 255)) $(($1 >> 8 & 255)) $(($1 & 255)); }
# RIFF, WAVE and a 16-bit stereo "fmt " chunk: riff size, rate.
wav_start() { printf "RIFF$(le32 "$1")WAVEfmt $(le32 16)\\x01\\x00\\x02\\x00$(le32 "$2")$(le32 $(($2 * 4)))\\x04\\x00\\x10\\x00"; }
patch_at() { printf "$2" | dd of="$3" bs=1 seek="$1" conv=notrunc status=none; }
offset_of() { grep -obUa "$1" "$2" | head -1 | cut -d: -f1; }

tags=$work/tags.wav
{ wav_start 112 44100; printf "LIST$(le32 0x80000000)INFOINAM$(le32 0x7FFFFFF0)"; } >"$tags"
head -c $((120 - $(stat -c %s "$tags"))) /dev/zero | tr '\0' x >>"$tags"
index=$work/index.m4a
ffmpeg -nostdin -loglevel error -f lavfi -i sine=d=1 -c:a aac "$index"
patch_at $(($(offset_of stsz "$index") + 8)) "$(be32 1)$(be32 80000000)" "$index"
patch_at $(($(offset_of stsc "$index") + 16)) "$(be32 80000000)" "$index"
rate0=$work/rate0.wav
bytes=$(((1 << 32) + 1000000))
{ wav_start $(((bytes + 36) & 0xFFFFFFFF)) 0; printf "data$(le32 $((bytes & 0xFFFFFFFF)))"; } >"$rate0"
truncate -s $((44 + bytes)) "$rate0"
hostile=("$tags" "$index" "$rate0")

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

# Prints the peak KiB of one run that is expected to be refused.
refused_peak() {
  /usr/bin/time -f "%M" -o "$work/time" "$@" >/dev/null 2>&1 && { echo "accepted: $*" >&2; exit 1; }
  tail -1 "$work/time"
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

printf '%-5s %9s %9s %9s %9s %9s %9s %9s %9s %9s %9s %9s\n' format conv_cpu ffm_cpu cpu_ratio \
  conv_wall ffm_wall wall_ratio conv_MB 1Hz_MB tags_MB index_MB rate0_MB
for row in "${rows[@]}"; do
  IFS='|' read -r ext conv_opts ffmpeg_opts <<<"$row"
  out=$work/out.$ext
  read -r -a conv_args <<<"${conv_opts//OUT/$out}"
  conv_times=$(median_of measure "$conv" -i "$input" -y -vn "${conv_args[@]}" "$out")
  read -r cw cc cm <<<"$conv_times"
  slow_opts=${conv_opts//$input/$slow}
  [[ $slow_opts == *-ar* ]] || slow_opts+=" -ar 44100"
  read -r -a slow_args <<<"${slow_opts//OUT/$out}"
  slow_times=$(measure "$conv" -i "$slow" -y -vn "${slow_args[@]}" "$out")
  read -r _ _ sm <<<"$slow_times"
  hostile_mb=""
  for file in "${hostile[@]}"; do
    opts=${conv_opts//$input/$file}
    read -r -a args <<<"${opts//OUT/$out}"
    peak=$(refused_peak "$conv" -i "$file" -y -vn "${args[@]}" "$out")
    hostile_mb+=$(awk -v k="$peak" 'BEGIN { printf " %9.1f", k / 1024 }')
  done
  if [ -n "$ffmpeg_opts" ]; then
    read -r -a ffmpeg_args <<<"$ffmpeg_opts"
    ffmpeg_times=$(median_of measure ffmpeg -nostdin -i "$input" -y -vn "${ffmpeg_args[@]}" "$out")
    read -r fw fc _ <<<"$ffmpeg_times"
    awk -v e="$ext" -v cc="$cc" -v fc="$fc" -v cw="$cw" -v fw="$fw" -v cm="$cm" -v sm="$sm" -v h="$hostile_mb" 'BEGIN {
      printf "%-5s %9.2f %9.2f %9.3f %9.2f %9.2f %9.3f %9.1f %9.1f%s\n", e, cc, fc, cc / fc, cw, fw, cw / fw, cm / 1024, sm / 1024, h }'
  else
    # Debian's libavcodec has no AMR-NB encoder, so ffmpeg has nothing to compare.
    awk -v e="$ext" -v cc="$cc" -v cw="$cw" -v cm="$cm" -v sm="$sm" -v h="$hostile_mb" 'BEGIN {
      printf "%-5s %9.2f %9s %9s %9.2f %9s %9s %9.1f %9.1f%s\n", e, cc, "-", "n/a", cw, "-", "n/a", cm / 1024, sm / 1024, h }'
  fi
done
