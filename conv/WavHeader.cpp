#include "WavHeader.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "HeaderBytes.h"

namespace {

constexpr int64_t kRiffSizeLimit = int64_t(1) << 32;
constexpr uint64_t kLargestFile = std::numeric_limits<int64_t>::max();
constexpr uint32_t kRf64Size = 0xFFFFFFFF;  // look in the ds64 chunk

// What writers that cannot seek back leave in a RIFF or data size.
bool isOpenSize(uint32_t size) {
  return size == 0 || size == 0x7FFFF000 || size == 0x7FFFFFFF || size == 0xFFFFFFFF;
}

constexpr uint16_t kIntegerPcm = 1, kFloatPcm = 3, kExtensible = 0xFFFE;

std::string rawDemuxerFor(uint16_t tag, int bits) {
  if (tag == kIntegerPcm && bits == 8) return "u8";
  if (tag == kIntegerPcm && (bits == 16 || bits == 24 || bits == 32))
    return "s" + std::to_string(bits) + "le";
  if (tag == kFloatPcm && (bits == 32 || bits == 64)) return "f" + std::to_string(bits) + "le";
  return {};
}

// The format chunk's body, as WAV and W64 share it.
void readFormat(std::ifstream& in, uint64_t size, WavDataChunk& data) {
  unsigned char fmt[26] = {};
  in.read(reinterpret_cast<char*>(fmt), std::streamsize(std::min<uint64_t>(size, sizeof fmt)));
  in.clear();
  uint16_t tag = uint16_t(littleEndian(fmt, 2));
  if (tag == kExtensible) tag = uint16_t(littleEndian(fmt + 24, 2));  // the sub-format GUID
  data.channels = int(littleEndian(fmt + 2, 2));
  data.sampleRate = int(littleEndian(fmt + 4, 4));
  data.rawDemuxer = rawDemuxerFor(tag, int(littleEndian(fmt + 14, 2)));
}

std::optional<WavDataChunk> readRiff(std::ifstream& in, int64_t fileSize, const unsigned char* head) {
  const bool rf64 = std::memcmp(head, "RF64", 4) == 0;
  const bool riffSizeOpen = !rf64 && isOpenSize(uint32_t(littleEndian(head + 4, 4)));
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
      readFormat(in, size, data);
    } else if (std::memcmp(header, "data", 4) == 0) {
      data.offset = body;
      data.presentBytes = fileSize - body;
      const bool ds64Sized = rf64 && size == kRf64Size && ds64DataSize;
      if (ds64Sized) {
        data.sizeWrapped = *ds64DataSize > kLargestFile;
        if (!data.sizeWrapped) data.declaredBytes = int64_t(*ds64DataSize);
      } else if (!riffSizeOpen && !isOpenSize(size)) {
        data.sizeWrapped = !rf64 && data.presentBytes >= size + kRiffSizeLimit;
        if (!data.sizeWrapped) data.declaredBytes = size;
      }
      return data;
    }
    in.seekg(body + size + (size & 1));
  }
  return std::nullopt;
}

// Sony Wave64: GUIDs for chunk names, 64-bit sizes that count the 24-byte
// chunk header, chunks aligned to 8 bytes.
std::optional<WavDataChunk> readW64(std::ifstream& in, int64_t fileSize) {
  static const unsigned char kSuffix[12] = {0xF3, 0xAC, 0xD3, 0x11, 0x8C, 0xD1,
                                            0x00, 0xC0, 0x4F, 0x8E, 0xDB, 0x8A};
  in.seekg(40);  // past the riff chunk's header and the wave GUID
  WavDataChunk data;
  for (int chunk = 0; chunk < 64; ++chunk) {
    unsigned char header[24];
    if (!in.read(reinterpret_cast<char*>(header), sizeof header)) return std::nullopt;
    const uint64_t size = littleEndian(header + 16, 8);
    const int64_t body = in.tellg();
    const bool known = std::memcmp(header + 4, kSuffix, sizeof kSuffix) == 0;
    if (size < sizeof header) return std::nullopt;
    if (known && std::memcmp(header, "data", 4) == 0) {
      data.offset = body;
      data.presentBytes = fileSize - body;
      if (size - sizeof header <= kLargestFile) data.declaredBytes = int64_t(size - sizeof header);
      return data;
    }
    if (size > uint64_t(fileSize)) return std::nullopt;
    if (known && std::memcmp(header, "fmt ", 4) == 0) readFormat(in, size - sizeof header, data);
    in.seekg(body + int64_t((size - sizeof header + 7) & ~uint64_t(7)));
  }
  return std::nullopt;
}

}  // namespace

std::optional<WavDataChunk> readWavDataChunk(const std::string& path) {
  static const unsigned char kW64Riff[16] = {'r', 'i', 'f', 'f', 0x2E, 0x91, 0xCF, 0x11,
                                             0xA5, 0xD6, 0x28, 0xDB, 0x04, 0xC1, 0x00, 0x00};
  std::ifstream in;
  int64_t fileSize = 0;
  unsigned char head[16];
  if (!openRegularFile(path, in, &fileSize) || !in.read(reinterpret_cast<char*>(head), sizeof head))
    return std::nullopt;
  if (std::memcmp(head, kW64Riff, sizeof kW64Riff) == 0) return readW64(in, fileSize);
  if ((std::memcmp(head, "RIFF", 4) != 0 && std::memcmp(head, "RF64", 4) != 0) ||
      std::memcmp(head + 8, "WAVE", 4) != 0)
    return std::nullopt;
  in.seekg(12);
  return readRiff(in, fileSize, head);
}
