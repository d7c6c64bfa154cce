#pragma once
#include <string>

// libav's own words for what went wrong. Its log stays out of ours (the
// Duration line must come early in it), but the last error line it gives is
// kept, as the reason for a failure where it says more than an error code.
void keepLibavErrors();

// The last error line libav gave since the previous call, without the name
// of the part that gave it; empty when none.
std::string takeLibavError();

// Whether libav said in an error line that it could not get memory.
bool libavLackedMemory();
