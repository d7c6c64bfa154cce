#include "ReferencingReaders.h"

#include <string_view>

namespace {

struct ReferencingReader {
  std::string_view name;
  std::string_view kind;
};

// The readers of an address (rtp, rtsp, sap) or of a numbered name (image2)
// take no content at all, so probing never picks them; they are named for any
// reader chosen by name.
constexpr ReferencingReader kReferencingReaders[] = {
    {"hls", "a playlist"},
    {"dash", "a playlist"},
    {"concat", "a playlist"},
    {"imf", "a playlist"},
    {"sdp", "a stream description"},
    {"rtp", "a stream description"},
    {"rtsp", "a stream description"},
    {"sap", "a stream description"},
    {"image2", "an image sequence"},
    {"vobsub", "a subtitle index"},
};

}  // namespace

std::optional<std::string_view> referencingKind(const AVInputFormat& reader) {
  for (const ReferencingReader& known : kReferencingReaders)
    if (known.name == reader.name) return known.kind;
  return std::nullopt;
}
