#include "CafHeader.h"

#include <bit>
#include <cstring>

#include "HeaderBytes.h"

namespace {

constexpr int64_t kRunsToEnd = -1;
constexpr int64_t kEditCountBytes = 4;  // opens the data chunk, before the packets

struct Description {
  double sampleRate = 0;
  uint32_t bytesPerPacket = 0;  // 0: packets vary in size
  uint32_t framesPerPacket = 0;
};

}  // namespace

std::optional<double> cafStatedSeconds(const std::string& path) {
  std::ifstream in;
  int64_t fileSize = 0;
  unsigned char head[8];
  if (!openRegularFile(path, in, &fileSize) || !in.read(reinterpret_cast<char*>(head), sizeof head) ||
      std::memcmp(head, "caff", 4) != 0)
    return std::nullopt;
  std::optional<Description> description;
  std::optional<int64_t> validFrames, dataBytes;
  // The packet table may follow the data, as writers add it once the packets
  // are known.
  for (int chunk = 0; chunk < 64; ++chunk) {
    unsigned char header[12];
    if (!in.read(reinterpret_cast<char*>(header), sizeof header)) break;
    const auto size = int64_t(bigEndian(header + 4, 8));
    const int64_t body = in.tellg();
    if (std::memcmp(header, "desc", 4) == 0) {
      unsigned char fields[24];
      if (!in.read(reinterpret_cast<char*>(fields), sizeof fields)) break;
      description = Description{std::bit_cast<double>(bigEndian(fields, 8)),
                                uint32_t(bigEndian(fields + 16, 4)), uint32_t(bigEndian(fields + 20, 4))};
    } else if (std::memcmp(header, "pakt", 4) == 0) {
      unsigned char counts[16];
      if (!in.read(reinterpret_cast<char*>(counts), sizeof counts)) break;
      validFrames = int64_t(bigEndian(counts + 8, 8));
    } else if (std::memcmp(header, "data", 4) == 0) {
      if (size == kRunsToEnd) return std::nullopt;
      dataBytes = size;
    }
    if (size < 0 || size > fileSize) break;
    in.seekg(body + size);
  }
  if (!description || !(description->sampleRate > 0) || !dataBytes) return std::nullopt;
  if (validFrames) return double(*validFrames) / description->sampleRate;
  if (description->bytesPerPacket == 0 || description->framesPerPacket == 0) return std::nullopt;
  const int64_t packets = (*dataBytes - kEditCountBytes) / description->bytesPerPacket;
  return double(packets) * description->framesPerPacket / description->sampleRate;
}
