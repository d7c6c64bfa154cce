#include "MemoryLimits.h"

#include <sys/resource.h>
#include <sys/stat.h>

#include <algorithm>
#include <string_view>

extern "C" {
#include <libavutil/mem.h>
}

// The sanitizers reserve terabytes of address space for their own books, which
// a data limit would refuse them; under them, only the single allocation is held.
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
#define CONV_UNDER_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer) || \
    __has_feature(memory_sanitizer)
#define CONV_UNDER_SANITIZER 1
#endif
#endif

namespace {

// The resampler's table stays within 8 MB and a 4K picture's plane within
// 9 MB; an MP4 index of an hour of 60 fps video takes 5 MB.
constexpr size_t kLargestFixedAllocation = size_t(32) << 20;
// The libraries' own data take about 30 MB of this before the run starts; a
// 4K H.264 picture probed alongside the audio brings the total to about 60.
constexpr uint64_t kFixedData = uint64_t(96) << 20;
// The MP4 reader keeps 28 bytes per sample of its index and, while it applies
// an edit list, a second copy: some 55 bytes per AAC frame, against 8 that a
// silent frame and its size take in the file. A day of silence at 48 kHz
// peaks at 250 MB from a 32 MB file.
constexpr uint64_t kBytesPerInputByte = 8;

uint64_t earned(uint64_t bytesOnDisk) {
  constexpr uint64_t kMost = uint64_t(1) << 56;  // keeps the sums below from wrapping
  return std::min(bytesOnDisk, kMost / kBytesPerInputByte) * kBytesPerInputByte;
}

}  // namespace

MemoryBound memoryBoundFor(uint64_t bytesOnDisk) {
  const uint64_t more = earned(bytesOnDisk);
  return {kLargestFixedAllocation + size_t(more), kFixedData + more};
}

uint64_t bytesOnDisk(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) return 0;
  return uint64_t(info.st_blocks) * 512;
}

void limitMemory(const std::string& inputPath) {
  const MemoryBound bound = memoryBoundFor(bytesOnDisk(inputPath));
  av_max_alloc(bound.largestAllocation);
#ifndef CONV_UNDER_SANITIZER
  rlimit data{};
  if (::getrlimit(RLIMIT_DATA, &data) != 0) return;
  data.rlim_cur = std::min({data.rlim_cur, data.rlim_max, rlim_t(bound.dataSegment)});
  ::setrlimit(RLIMIT_DATA, &data);
#endif
}

bool sampleIndexLeftOut(const AVFormatContext& container) {
  if (std::string_view(container.iformat->name).rfind("mov,", 0) != 0) return false;
  for (unsigned i = 0; i < container.nb_streams; ++i) {
    AVStream* stream = container.streams[i];
    // A fragmented file states no samples up front and indexes them as it goes.
    if (stream->discard != AVDISCARD_ALL && stream->nb_frames > 0 &&
        avformat_index_get_entries_count(stream) == 0)
      return true;
  }
  return false;
}

std::string memoryRefusal(const std::string& inputPath) {
  return "'" + inputPath + "' needs more memory than an audio file of this kind can justify";
}
