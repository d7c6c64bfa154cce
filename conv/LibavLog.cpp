#include "LibavLog.h"

#include <algorithm>
#include <cctype>
#include <cstdarg>
#include <mutex>
#include <utility>

extern "C" {
#include <libavutil/log.h>
}

namespace {

std::mutex gMutex;
std::string gPartial;  // a line libav gives in pieces
LibavErrors gSaid;

bool speaksOfMemory(const std::string& line) {
  std::string lower(line);
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return char(std::tolower(c)); });
  return lower.find("memory") != std::string::npos;
}

void keepErrorLine(void* context, int level, const char* format, va_list args) {
  if ((level & 0xFF) > AV_LOG_ERROR) return;
  char text[1024];
  int withPrefix = 0;
  av_log_format_line2(context, level, format, args, text, sizeof text, &withPrefix);
  std::lock_guard lock(gMutex);
  gPartial += text;
  if (gPartial.empty() || gPartial.back() != '\n') return;
  gPartial.erase(gPartial.find_last_not_of(" \n") + 1);
  if (!gPartial.empty()) gSaid.lastLine = gPartial;
  gSaid.lackedMemory = gSaid.lackedMemory || speaksOfMemory(gPartial);
  gPartial.clear();
}

}  // namespace

void keepLibavErrors() {
  av_log_set_level(AV_LOG_QUIET);
  av_log_set_callback(keepErrorLine);
}

LibavErrors takeLibavErrors() {
  std::lock_guard lock(gMutex);
  // A piece of a line belongs to the call that gave it, not to the next one.
  gPartial.clear();
  return std::exchange(gSaid, LibavErrors());
}
