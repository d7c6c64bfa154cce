#pragma once
#include <optional>
#include <string>

// Where an AVI's header places an audio stream, in seconds. libavformat drops
// the length when the file is shorter than its header says (it measures what
// is there instead), which hides a truncated file.
struct AviAudioHeader {
  double start = 0;   // dwStart: the stream begins this late
  double length = 0;  // dwLength, less the empty chunks that stand for a late start
};

// The header of the audio stream at this index (the order of the header's
// stream lists); nullopt when that stream is no audio or states no length.
std::optional<AviAudioHeader> aviAudioHeader(const std::string& path, int streamIndex);
