#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

extern "C" {
#include <libavformat/avformat.h>
}

// What the run may take: headers that claim absurd sizes make libav ask for
// gigabytes, which no audio file needs, while a long file's index legitimately
// grows with the file. So a fixed allowance covers what any input needs, and
// each byte the input really holds on disk earns a few more.
struct MemoryBound {
  size_t largestAllocation;  // one table or frame
  uint64_t dataSegment;      // everything at once, the libraries' own data included
};

MemoryBound memoryBoundFor(uint64_t bytesOnDisk);

// The bytes the file at path occupies on disk: the holes of a sparse file
// count for nothing. 0 when it cannot be looked at.
uint64_t bytesOnDisk(const std::string& path);

// Holds the run to the bound for the input at path; past it, an allocation
// fails and the run ends with memoryRefusal.
void limitMemory(const std::string& inputPath);

// Whether the MP4 reader left out the sample index of the stream being
// converted, which it does without a word when the memory for it is refused.
bool sampleIndexLeftOut(const AVFormatContext& container);

// "'<path>' needs more memory than an audio file of this kind can justify"
std::string memoryRefusal(const std::string& inputPath);
