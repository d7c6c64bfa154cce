#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// What one run is asked to do, read from its arguments.
struct ConvRequest {
  std::string inputPath;
  std::string outputPath;
  std::optional<double> cutStart;   // seconds as given; a negative start means 0
  std::optional<double> cutLength;  // seconds, above 0
  bool overwrite = false;
  std::optional<std::string> codecName;
  std::optional<int64_t> bitRate;   // bits per second
  std::optional<int> sampleRate;    // Hz
  std::optional<int> channels;      // absent or 0 on the line: as the input
  bool copyTags = false;
};

// Reads the arguments after the program name:
//   -i IN [-ss S] [-t T] [-y] [-vn] [-acodec C] [-ab B] [-ar R] [-ac N]
//   [-map_meta_data IN:OUT] OUT
// Throws ConvError naming the argument at fault.
ConvRequest parseCommandLine(const std::vector<std::string>& args);

// "192k" -> 192000, "7.4k" -> 7400, "1M" -> 1000000, "64000" -> 64000.
std::optional<int64_t> parseBitRate(const std::string& text);
