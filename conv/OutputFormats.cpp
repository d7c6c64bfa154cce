#include "OutputFormats.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <filesystem>

namespace {

// WMA: the encoder refuses more than 2 channels or 48 kHz but does not say so
// in its capabilities. Vorbis, FLAC and AAC stop at 8 channels, and Vorbis at
// 200 kHz.
constexpr std::array<OutputFormat, 8> kFormats = {{
    {".mp3", "mp3", "libmp3lame", 128000, 0, 0, false},
    {".wma", "asf", "wmav2", 128000, 2, 48000, false},
    {".ogg", "ogg", "libvorbis", 0, 8, 200000, false},
    {".wav", "wav", "pcm_s16le", 0, 0, 0, false},
    {".flac", "flac", "flac", 0, 8, 0, false},
    {".ac3", "ac3", "ac3", 0, 0, 0, false},
    {".aac", "adts", "aac", 0, 8, 0, false},
    {".amr", "amr", "libopencore_amrnb", 12200, 0, 0, true},  // its writer knows its limits
}};

}  // namespace

const OutputFormat* outputFormatFor(const std::string& path) {
  // From the name's last dot on, even when that dot begins the name: an output
  // named ".mp3" alone (made from an input such as ".hidden.wav") is an MP3.
  const std::string name = std::filesystem::path(path).filename().string();
  const size_t dot = name.rfind('.');
  std::string extension = dot == std::string::npos ? std::string() : name.substr(dot);
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return std::tolower(c); });
  auto found = std::find_if(kFormats.begin(), kFormats.end(),
                            [&](const OutputFormat& f) { return f.extension == extension; });
  return found == kFormats.end() ? nullptr : &*found;
}
