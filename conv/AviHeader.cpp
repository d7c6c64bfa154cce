#include "AviHeader.h"

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
std::optional<AviAudioHeader> audioHeader(std::ifstream& in) {
  unsigned char strh[36];
  if (!in.read(reinterpret_cast<char*>(strh), sizeof strh) || std::memcmp(strh, "auds", 4) != 0)
    return std::nullopt;
  const double scale = double(littleEndian(strh + 20, 4));
  const double rate = double(littleEndian(strh + 24, 4));
  const double length = double(littleEndian(strh + 32, 4));
  if (scale == 0 || rate == 0 || length == 0) return std::nullopt;
  return AviAudioHeader{double(littleEndian(strh + 28, 4)) * scale / rate, length * scale / rate};
}

}  // namespace

std::optional<AviAudioHeader> aviAudioHeader(const std::string& path, int streamIndex) {
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
      return audioHeader(in);
    } else {
      skip(in, chunk);
    }
  }
  return std::nullopt;
}

