#include "AsfHeader.h"

#include <cstring>

#include "HeaderBytes.h"

std::optional<double> asfStatedSeconds(const std::string& path) {
  static const unsigned char kHeaderObject[16] = {0x30, 0x26, 0xB2, 0x75, 0x8E, 0x66, 0xCF, 0x11,
                                                  0xA6, 0xD9, 0x00, 0xAA, 0x00, 0x62, 0xCE, 0x6C};
  static const unsigned char kFileProperties[16] = {0xA1, 0xDC, 0xAB, 0x8C, 0x47, 0xA9, 0xCF, 0x11,
                                                    0x8E, 0xE4, 0x00, 0xC0, 0x0C, 0x20, 0x53, 0x65};
  constexpr uint32_t kBroadcast = 1;  // durations are not filled in
  std::ifstream in;
  int64_t fileSize = 0;
  unsigned char header[30];
  if (!openRegularFile(path, in, &fileSize) || !in.read(reinterpret_cast<char*>(header), sizeof header) ||
      std::memcmp(header, kHeaderObject, 16) != 0)
    return std::nullopt;
  const uint32_t objects = uint32_t(littleEndian(header + 24, 4));
  for (uint32_t i = 0; i < objects && i < 1000; ++i) {
    unsigned char object[24];
    const int64_t start = in.tellg();
    if (!in.read(reinterpret_cast<char*>(object), sizeof object)) return std::nullopt;
    const uint64_t size = littleEndian(object + 16, 8);
    if (std::memcmp(object, kFileProperties, 16) == 0) {
      unsigned char body[68];
      if (!in.read(reinterpret_cast<char*>(body), sizeof body)) return std::nullopt;
      const uint64_t play = littleEndian(body + 40, 8);  // 100 ns units
      const uint64_t preroll = littleEndian(body + 56, 8);  // ms
      if (littleEndian(body + 64, 4) & kBroadcast || play == 0) return std::nullopt;
      return play * 1e-7 - preroll * 1e-3;
    }
    if (size < sizeof object || size > uint64_t(fileSize)) return std::nullopt;
    in.seekg(start + int64_t(size));
  }
  return std::nullopt;
}
