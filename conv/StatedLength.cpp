#include "StatedLength.h"

#include <cstring>

#include "HeaderBytes.h"

namespace {

struct Chunk {
  char id[4];
  uint32_t size = 0;
  int64_t body = 0;
};

bool readChunk(std::ifstream& in, Chunk& chunk) {
  unsigned char header[8];
  if (!in.read(reinterpret_cast<char*>(header), sizeof header)) return false;
  std::memcpy(chunk.id, header, 4);
  chunk.size = uint32_t(littleEndian(header + 4, 4));
  chunk.body = in.tellg();
  return true;
}

bool isList(std::ifstream& in, const Chunk& chunk, const char* type) {
  char listType[4];
  return std::memcmp(chunk.id, "LIST", 4) == 0 && in.read(listType, 4) &&
         std::memcmp(listType, type, 4) == 0;
}

void skip(std::ifstream& in, const Chunk& chunk) {
  in.seekg(chunk.body + chunk.size + (chunk.size & 1));
}

// The stream header: its type, then dwScale, dwRate, dwStart, dwLength.
std::optional<double> audioSeconds(std::ifstream& in) {
  unsigned char strh[36];
  if (!in.read(reinterpret_cast<char*>(strh), sizeof strh) || std::memcmp(strh, "auds", 4) != 0)
    return std::nullopt;
  const double scale = double(littleEndian(strh + 20, 4));
  const double rate = double(littleEndian(strh + 24, 4));
  const double units = double(littleEndian(strh + 28, 4)) + double(littleEndian(strh + 32, 4));
  if (scale == 0 || rate == 0 || units == 0) return std::nullopt;
  return units * scale / rate;
}

}  // namespace

std::optional<double> aviStatedSeconds(const std::string& path, int streamIndex) {
  std::ifstream in;
  char riff[12];
  if (!openRegularFile(path, in) || !in.read(riff, sizeof riff) ||
      std::memcmp(riff, "RIFF", 4) != 0 || std::memcmp(riff + 8, "AVI ", 4) != 0)
    return std::nullopt;
  Chunk chunk;
  while (readChunk(in, chunk) && !isList(in, chunk, "hdrl")) skip(in, chunk);
  if (!in) return std::nullopt;
  const int64_t hdrlEnd = chunk.body + chunk.size;
  for (int lists = 0; in.tellg() < hdrlEnd && readChunk(in, chunk);) {
    if (!isList(in, chunk, "strl")) {
      in.clear();
      skip(in, chunk);
    } else if (lists++ == streamIndex) {
      Chunk strh;
      if (!readChunk(in, strh) || std::memcmp(strh.id, "strh", 4) != 0) return std::nullopt;
      return audioSeconds(in);
    } else {
      skip(in, chunk);
    }
  }
  return std::nullopt;
}

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
