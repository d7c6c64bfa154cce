#include "WavHeader.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "HeaderBytes.h"

namespace {

constexpr int64_t kRiffSizeLimit = int64_t(1) << 32;
constexpr uint32_t kOpenSize = 0xFFFFFFFF;
constexpr uint64_t kLargestFile = std::numeric_limits<int64_t>::max();

constexpr uint16_t kIntegerPcm = 1, kFloatPcm = 3, kExtensible = 0xFFFE;

std::string rawDemuxerFor(uint16_t tag, int bits) {
  if (tag == kIntegerPcm && bits == 8) return "u8";
  if (tag == kIntegerPcm && (bits == 16 || bits == 24 || bits == 32))
    return "s" + std::to_string(bits) + "le";
  if (tag == kFloatPcm && (bits == 32 || bits == 64)) return "f" + std::to_string(bits) + "le";
  return {};
}

}  // namespace

std::optional<WavDataChunk> readWavDataChunk(const std::string& path) {
  std::ifstream in;
  int64_t fileSize = 0;
  unsigned char head[12];
  if (!openRegularFile(path, in, &fileSize) || !in.read(reinterpret_cast<char*>(head), sizeof head))
    return std::nullopt;
  const bool rf64 = std::memcmp(head, "RF64", 4) == 0;
  if ((!rf64 && std::memcmp(head, "RIFF", 4) != 0) || std::memcmp(head + 8, "WAVE", 4) != 0)
    return std::nullopt;

  std::optional<uint64_t> ds64DataSize;
  WavDataChunk data;
  for (int chunk = 0; chunk < 64; ++chunk) {
    unsigned char header[8];
    if (!in.read(reinterpret_cast<char*>(header), sizeof header)) return std::nullopt;
    const uint32_t size = uint32_t(littleEndian(header + 4, 4));
    const int64_t body = in.tellg();
    if (std::memcmp(header, "ds64", 4) == 0) {
      unsigned char sizes[16];
      if (!in.read(reinterpret_cast<char*>(sizes), sizeof sizes)) return std::nullopt;
      ds64DataSize = littleEndian(sizes + 8, 8);
    } else if (std::memcmp(header, "fmt ", 4) == 0) {
      unsigned char fmt[26] = {};
      in.read(reinterpret_cast<char*>(fmt), std::min<uint32_t>(size, sizeof fmt));
      uint16_t tag = uint16_t(littleEndian(fmt, 2));
      if (tag == kExtensible) tag = uint16_t(littleEndian(fmt + 24, 2));  // the sub-format GUID
      data.channels = int(littleEndian(fmt + 2, 2));
      data.sampleRate = int(littleEndian(fmt + 4, 4));
      data.rawDemuxer = rawDemuxerFor(tag, int(littleEndian(fmt + 14, 2)));
      in.clear();
    } else if (std::memcmp(header, "data", 4) == 0) {
      data.offset = body;
      const bool ds64Sized = rf64 && size == kOpenSize && ds64DataSize;
      if (ds64Sized) data.declaredBytes = int64_t(std::min(*ds64DataSize, kLargestFile));
      else if (size != 0 && size != kOpenSize) data.declaredBytes = size;
      const int64_t present = fileSize - body;
      data.sizeWrapped = (ds64Sized && *ds64DataSize > kLargestFile) ||
                         (!rf64 && data.declaredBytes && present >= *data.declaredBytes + kRiffSizeLimit);
      if (data.sizeWrapped) data.declaredBytes = present;
      return data;
    }
    in.seekg(body + size + (size & 1));
  }
  return std::nullopt;
}
