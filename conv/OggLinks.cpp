#include "OggLinks.h"

#include <algorithm>
#include <cstring>
#include <set>
#include <vector>

extern "C" {
#include <libavutil/crc.h>
}

#include "HeaderBytes.h"

namespace {

constexpr size_t kPageHeader = 27;       // before the segment table
constexpr size_t kLargestPage = 65307;   // header, 255 segments of 255 bytes
constexpr unsigned char kFirstPageOfStream = 0x02;

uint32_t serialAt(const unsigned char* page) { return uint32_t(littleEndian(page + 14, 4)); }

// The page's length when a whole, intact page starts at `at`; 0 otherwise.
size_t pageLength(const std::vector<unsigned char>& bytes, size_t at) {
  if (at + kPageHeader > bytes.size() || std::memcmp(&bytes[at], "OggS", 4) != 0 || bytes[at + 4] != 0)
    return 0;
  const size_t segments = bytes[at + 26];
  if (at + kPageHeader + segments > bytes.size()) return 0;
  size_t length = kPageHeader + segments;
  for (size_t i = 0; i < segments; ++i) length += bytes[at + kPageHeader + i];
  if (at + length > bytes.size()) return 0;
  std::vector<unsigned char> page(bytes.begin() + at, bytes.begin() + at + length);
  std::fill(page.begin() + 22, page.begin() + 26, 0);  // the checksum counts itself as zero
  // libavutil's table for Ogg's polynomial gives the sum in big-endian order.
  const AVCRC* table = av_crc_get_table(AV_CRC_32_IEEE);
  return av_crc(table, 0, page.data(), page.size()) == bigEndian(&bytes[at + 22], 4) ? length : 0;
}

std::vector<unsigned char> readAt(std::ifstream& in, int64_t at, size_t count) {
  std::vector<unsigned char> bytes(count);
  in.seekg(at);
  in.read(reinterpret_cast<char*>(bytes.data()), std::streamsize(count));
  bytes.resize(size_t(in.gcount()));
  in.clear();
  return bytes;
}

}  // namespace

bool oggEndsInAnotherLink(const std::string& path) {
  std::ifstream in;
  int64_t fileSize = 0;
  if (!openRegularFile(path, in, &fileSize)) return false;
  // A link opens with the first page of each of its streams.
  const std::vector<unsigned char> head = readAt(in, 0, kLargestPage);
  std::set<uint32_t> firstLink;
  for (size_t at = 0, length; (length = pageLength(head, at)) && head[at + 5] & kFirstPageOfStream;
       at += length)
    firstLink.insert(serialAt(&head[at]));
  const int64_t tailStart = std::max<int64_t>(0, fileSize - int64_t(kLargestPage));
  const std::vector<unsigned char> tail = readAt(in, tailStart, kLargestPage);
  for (size_t at = tail.size(); at-- > 0;)
    if (pageLength(tail, at)) return !firstLink.contains(serialAt(&tail[at]));
  return false;
}
