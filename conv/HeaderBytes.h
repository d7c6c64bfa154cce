#pragma once
#include <sys/stat.h>

#include <cstdint>
#include <fstream>
#include <string>

// Reading the headers libavformat does not keep, straight from the file.

inline uint64_t littleEndian(const unsigned char* bytes, int count) {
  uint64_t value = 0;
  for (int i = count - 1; i >= 0; --i) value = value << 8 | bytes[i];
  return value;
}

inline uint64_t bigEndian(const unsigned char* bytes, int count) {
  uint64_t value = 0;
  for (int i = 0; i < count; ++i) value = value << 8 | bytes[i];
  return value;
}

// Only regular files: peeking into a pipe would take the bytes from the decoder.
inline bool openRegularFile(const std::string& path, std::ifstream& in, int64_t* size = nullptr) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return false;
  if (size) *size = info.st_size;
  in.open(path, std::ios::binary);
  return bool(in);
}
