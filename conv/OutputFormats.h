#pragma once
#include <cstdint>
#include <string>
#include <string_view>

// How an output is written, chosen by its file name's extension.
struct OutputFormat {
  std::string_view extension;     // lower case, with the dot
  std::string_view muxer;         // libav muxer; "amr" is written by our own AMR writer
  std::string_view defaultCodec;  // encoder when the command line names none
  int64_t defaultBitRate;         // bits per second; 0 leaves it to the encoder
  int maxChannels;                // limits the encoder enforces without listing them; 0: none
  int maxSampleRate;
  bool opencoreAmr;               // AMR-NB through libopencore-amrnb, not libav
};

// The format for an output path (extension compared without case); nullptr
// when the extension names none of ours.
const OutputFormat* outputFormatFor(const std::string& path);
