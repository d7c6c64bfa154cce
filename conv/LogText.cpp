#include "LogText.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cinttypes>
#include <cstdio>

namespace {

constexpr size_t kLongestShownPath = 200;

std::string shownPath(std::string_view path) {
  if (path.size() <= kLongestShownPath) return std::string(path);
  size_t from = path.size() - kLongestShownPath;
  while (from < path.size() && (static_cast<unsigned char>(path[from]) & 0xC0) == 0x80) ++from;
  return "..." + std::string(path.substr(from));
}

template <typename... Args>
std::string format(const char* pattern, Args... args) {
  char text[128];
  int length = std::snprintf(text, sizeof text, pattern, args...);
  return std::string(text, length < 0 ? 0 : std::min<size_t>(length, sizeof text - 1));
}

}  // namespace

std::string durationText(std::optional<int64_t> micros) {
  if (!micros || *micros < 0) return "N/A";
  int64_t centis = (*micros + 5000) / 10000;
  return format("%02" PRId64 ":%02d:%02d.%02d", centis / 360000, int(centis / 6000 % 60),
                int(centis / 100 % 60), int(centis % 100));
}

std::string inputLines(std::string_view containerName, std::string_view path,
                       std::optional<int64_t> durationMicros, std::optional<int64_t> startMicros,
                       int64_t bitRate) {
  std::string start = startMicros ? format("%.6f", *startMicros / 1e6) : "N/A";
  std::string rate = bitRate > 0 ? format("%" PRId64 " kb/s", bitRate / 1000) : "N/A";
  return "Input #0, " + std::string(containerName) + ", from '" + shownPath(path) + "':\n" +
         "  Duration: " + durationText(durationMicros) + ", start: " + start +
         ", bitrate: " + rate + "\n";
}

std::string outputLine(std::string_view containerName, std::string_view path) {
  return "Output #0, " + std::string(containerName) + ", to '" + shownPath(path) + "':\n";
}

std::string progressLine(int64_t bytes, double seconds) {
  std::string rate =
      seconds > 0 ? format("%6.1fkbits/s", bytes * 8 / seconds / 1000) : std::string("N/A");
  return format("size=%8" PRId64 "kB time=%.2f bitrate=", (bytes + 1023) / 1024, seconds) +
         rate + "\n";
}

void writeLog(std::string_view text) {
  while (!text.empty()) {
    ssize_t written = ::write(STDERR_FILENO, text.data(), text.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return;  // nobody reads the log any more; the work goes on
    text.remove_prefix(size_t(written));
  }
}

bool ProgressPace::due(Clock::time_point now) {
  if (now < next_) return false;
  next_ = now + kInterval;
  return true;
}
