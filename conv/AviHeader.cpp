#include "AviHeader.h"

#include <algorithm>
#include <cstring>
#include <vector>

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

// The stream header's fields that place the stream.
struct StreamHeader {
  uint32_t scale = 0, rate = 0, start = 0, length = 0;
  uint32_t sampleSize = 0;  // 0: each chunk is one unit, whatever its size
};

std::optional<StreamHeader> audioStreamHeader(std::ifstream& in) {
  unsigned char strh[48];
  if (!in.read(reinterpret_cast<char*>(strh), sizeof strh) || std::memcmp(strh, "auds", 4) != 0)
    return std::nullopt;
  auto field = [&](int at) { return uint32_t(littleEndian(strh + at, 4)); };
  StreamHeader header{field(20), field(24), field(28), field(32), field(44)};
  if (header.scale == 0 || header.rate == 0 || header.length == 0) return std::nullopt;
  return header;
}

// Muxers place audio that starts late by writing empty chunks before it; the
// header counts them, but they hold no audio and readers skip them. Counted
// in the legacy index (idx1) at the top level, after the header list.
uint32_t emptyChunksOf(std::ifstream& in, int streamIndex) {
  const char stream[2] = {char('0' + streamIndex / 10 % 10), char('0' + streamIndex % 10)};
  Chunk chunk;
  while (readChunk(in, chunk) && std::memcmp(chunk.id, "idx1", 4) != 0) skip(in, chunk);
  if (!in) return 0;
  uint32_t empty = 0;
  std::vector<unsigned char> entries(16 * 4096);
  for (uint32_t left = chunk.size / 16; left > 0;) {
    const uint32_t count = std::min<uint32_t>(left, 4096);
    if (!in.read(reinterpret_cast<char*>(entries.data()), count * 16)) break;
    for (uint32_t i = 0; i < count; ++i) {
      const unsigned char* entry = entries.data() + 16 * i;
      if (std::memcmp(entry, stream, 2) == 0 && littleEndian(entry + 12, 4) == 0) ++empty;
    }
    left -= count;
  }
  return empty;
}

}  // namespace

std::optional<AviAudioHeader> aviAudioHeader(const std::string& path, int streamIndex) {
  std::ifstream in;
  char riff[12];
  if (!openRegularFile(path, in) || !in.read(riff, sizeof riff) ||
      std::memcmp(riff, "RIFF", 4) != 0 || std::memcmp(riff + 8, "AVI ", 4) != 0)
    return std::nullopt;
  Chunk hdrl;
  while (readChunk(in, hdrl) && !isList(in, hdrl, "hdrl")) skip(in, hdrl);
  if (!in) return std::nullopt;
  std::optional<StreamHeader> header;
  Chunk chunk;
  for (int lists = 0; !header && in.tellg() < hdrl.body + hdrl.size && readChunk(in, chunk);) {
    if (!isList(in, chunk, "strl")) {
      in.clear();
      skip(in, chunk);
    } else if (lists++ == streamIndex) {
      Chunk strh;
      if (!readChunk(in, strh) || std::memcmp(strh.id, "strh", 4) != 0) return std::nullopt;
      header = audioStreamHeader(in);
      if (!header) return std::nullopt;
    } else {
      skip(in, chunk);
    }
  }
  if (!header) return std::nullopt;
  skip(in, hdrl);
  const uint32_t empty = header->sampleSize == 0 ? emptyChunksOf(in, streamIndex) : 0;
  const double unit = double(header->scale) / header->rate;
  return AviAudioHeader{header->start * unit, (header->length - std::min(empty, header->length)) * unit};
}
