#pragma once
#include <functional>
#include <optional>
#include <string>

#include "InputFile.h"
#include "LibavPtr.h"

// The best audio stream of an input file, decoded. Every other stream is left
// unread.
class InputAudio {
 public:
  explicit InputAudio(const std::string& path);

  const AVFormatContext& container() const { return *container_; }
  const AVCodecContext& decoder() const { return *decoder_; }

  // Cut times and frame positions count from this point of the container.
  std::optional<int64_t> startMicros() const;
  std::optional<int64_t> durationMicros() const;

  // Where the input says its audio lies, in seconds from the start; nullopt
  // when it says nothing that can be trusted (only a guess from the bitrate
  // or a length measured from timestamps).
  struct Span {
    double start = 0;
    double end = 0;
  };
  std::optional<Span> statedAudio() const;

  // Moves to a key point at or before the position (at most the input's end);
  // false when the container cannot seek, and decoding then starts from the
  // beginning.
  bool seekTo(double seconds);

  // Hands each decoded frame and its position in seconds from the start
  // (nullopt when the frame carries no time) to onFrame, until onFrame returns
  // false or the input ends.
  using FrameHandler = std::function<bool(const AVFrame&, std::optional<double> position)>;
  void decode(const FrameHandler& onFrame);

 private:
  bool receiveFrames(const FrameHandler& onFrame);

  std::string path_;
  InputFile file_;  // outlives the container reading through it
  libav::InputPtr container_;
  libav::CodecPtr decoder_;
  AVStream* stream_ = nullptr;
  // The audio's length by a header libavformat does not keep (WAV, AVI, ASF).
  std::optional<double> headerSeconds_;
  bool onlyTrack_ = true;  // no other audio or video beside this stream
  libav::FramePtr frame_ = libav::makeFrame();
  int64_t framesDecoded_ = 0;
  int lastError_ = 0;
};
