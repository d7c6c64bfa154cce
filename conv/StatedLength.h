#pragma once
#include <optional>
#include <string>

// How long AVI and ASF headers say the audio lasts, in seconds. libavformat
// drops these lengths when the file is shorter than its header says (it
// measures what is there instead), which hides a truncated file.

// The length of the audio stream at this index (the order of the header's
// stream lists); nullopt when that stream is no audio or states no length.
std::optional<double> aviStatedSeconds(const std::string& path, int streamIndex);

// The play duration less the preroll; nullopt for a broadcast (open-ended)
// file or one without file properties.
std::optional<double> asfStatedSeconds(const std::string& path);
