#include "MemoryLimits.h"

#include <sys/resource.h>

#include <algorithm>

extern "C" {
#include <libavutil/mem.h>
}

namespace {

// The resampler's table stays within 8 MB and a 4K picture's plane within
// 9 MB; an MP4 index of an hour of 60 fps video takes 5 MB.
constexpr size_t kLargestAllocation = size_t(32) << 20;
// The libraries' own data take about 30 MB of this before the run starts; a
// 4K H.264 picture probed alongside the audio brings the total to about 60.
constexpr rlim_t kDataLimit = rlim_t(96) << 20;

}  // namespace

void limitMemory() {
  av_max_alloc(kLargestAllocation);
  rlimit data{};
  if (::getrlimit(RLIMIT_DATA, &data) != 0) return;
  data.rlim_cur = std::min(data.rlim_cur, std::min(data.rlim_max, kDataLimit));
  ::setrlimit(RLIMIT_DATA, &data);
}

std::string memoryRefusal(const std::string& inputPath) {
  return "'" + inputPath + "' needs more memory than an audio file of this kind can justify";
}
