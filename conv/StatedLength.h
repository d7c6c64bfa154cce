#pragma once
#include <optional>
#include <string>

#include "WavHeader.h"

extern "C" {
#include <libavformat/avformat.h>
}

// A length beyond this (over 100,000 years) cannot be true, and its
// microseconds would not fit the log's count: such a length is ignored.
constexpr double kLongestCredibleSeconds = 3.2e12;

// How long an input says its audio lasts, in seconds on the input's clock
// (from the container's start, as decoded frames are placed).
struct StatedLength {
  double start = 0;
  double end = 0;

  enum class Source {
    WavHeader,   // the data size of a WAV, RF64 or W64 header
    AviHeader,   // the audio stream's header
    AsfHeader,   // the file properties
    CafHeader,   // the packet table or the data size
    Stream,      // libavformat's length of the audio stream
    TrackTag,    // the DURATION tag muxers add to a Matroska track
    WholeFile,   // libavformat's length of the whole file
  } source;

  enum class Trust {
    // The container counts the audio itself: audio that falls short of it is
    // missing from the file.
    Counted,
    // Measured from what the file holds, guessed from its bit rate, or the
    // length of something else beside the audio: it shows how long the input
    // is, and proves nothing about missing audio.
    Measured,
  } trust;

  // Lengths libavformat would drop for a truncated file, measuring what is
  // there instead.
  bool fromHeader() const {
    return source == Source::WavHeader || source == Source::AviHeader || source == Source::AsfHeader ||
           source == Source::CafHeader;
  }
};

// Asks the reader of the input's container (WAV and W64, AVI, ASF, CAF, the rest
// through libavformat, which reads Matroska's track tags) for the length of
// its audio stream. wav: the header found when the file is a WAV, RF64 or W64
// file. nullopt when no length is known at all.
std::optional<StatedLength> statedLength(const std::string& path, const AVFormatContext& file,
                                         const AVStream& audio, const std::optional<WavDataChunk>& wav);
