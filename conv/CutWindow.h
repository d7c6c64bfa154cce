#pragma once
#include <optional>

// Picks the samples of the stretch [start, start + length) of the input's
// clock out of decoded frames. Frame times place the start sample-exactly
// after a seek, and audio that begins after the start leaves that lead of the
// stretch empty; from there on samples are counted, so the output ends where
// the length says even where frame times jump.
class CutWindow {
 public:
  // untimedOrigin: where a first frame without a time is taken to lie.
  CutWindow(double start, std::optional<double> length, double untimedOrigin);

  struct Span {
    int first = 0;
    int count = 0;
  };
  Span take(std::optional<double> frameStart, int samples, int sampleRate);

  bool complete() const { return complete_; }
  // The end of the last frame seen, in seconds from the input's start;
  // nullopt before the first frame.
  std::optional<double> inputEnd() const {
    return sawFrames_ ? std::optional(nextFrameStart_) : std::nullopt;
  }
  // The seconds of audio taken so far.
  double taken() const { return taken_; }

 private:
  double start_;
  std::optional<double> length_;
  double nextFrameStart_;
  double taken_ = 0;
  double lead_ = 0;  // the part of the stretch before the audio's first sample
  bool sawFrames_ = false;
  bool started_ = false;
  bool complete_ = false;
};
