#pragma once
#include <string>

// libav's own words for what went wrong. Its log stays out of ours (the
// Duration line must come early in it), but the last error line it gives is
// kept, as the reason for a failure where it says more than an error code.
void keepLibavErrors();

// What libav said in error lines since the previous call: the last line,
// without the name of the part that gave it (empty when none), and whether
// any of them said it could not get memory.
struct LibavErrors {
  std::string lastLine;
  bool lackedMemory = false;
};
LibavErrors takeLibavErrors();
