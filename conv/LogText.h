#pragma once
#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The log the main program reads: its "Duration: " field within the first
// 1024 bytes, then "time=" fields in seconds counted from the cut start.

// hh:mm:ss.cc rounded to the nearest hundredth (hours may pass 24), or "N/A".
std::string durationText(std::optional<int64_t> micros);

// "Input #0, <format>, from '<path>':" and its "  Duration: ..." line. A very
// long path is shown by its end only, so the Duration line stays early.
std::string inputLines(std::string_view containerName, std::string_view path,
                       std::optional<int64_t> durationMicros, std::optional<int64_t> startMicros,
                       int64_t bitRate);

std::string outputLine(std::string_view containerName, std::string_view path);

// "size=     512kB time=32.70 bitrate= 128.3kbits/s"
std::string progressLine(int64_t bytes, double seconds);

// Writes text to stderr at once, in one piece where the system allows.
void writeLog(std::string_view text);

// Lets a progress line through at most every half second.
class ProgressPace {
 public:
  using Clock = std::chrono::steady_clock;
  explicit ProgressPace(Clock::time_point start) : next_(start + kInterval) {}
  bool due(Clock::time_point now);

 private:
  static constexpr std::chrono::milliseconds kInterval{500};
  Clock::time_point next_;
};
