# Sourced by the benchmarks that time our transcoder on inputs ffmpeg makes.
# Sets conv to the transcoder named by the first argument (the build's when
# none), or stops when it is not there; installs ffmpeg and GNU time, which
# make the inputs and read the peak memory, where they are missing.
conv=${1:-$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/../build/bin/data/conv}
[ -x "$conv" ] || { echo "no transcoder at $conv (build first)" >&2; exit 1; }

need=()
command -v ffmpeg >/dev/null || need+=(ffmpeg)
[ -x /usr/bin/time ] || need+=(time)
if [ ${#need[@]} -gt 0 ]; then
  apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${need[@]}" >/dev/null
fi
