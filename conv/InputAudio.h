#pragma once
#include <functional>
#include <optional>
#include <string>

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

  // Where the container says the audio ends, in seconds from the start;
  // nullopt when unknown or merely guessed from the bitrate.
  std::optional<double> declaredEnd() const;

  // Moves to a key point at or before the position; false when the container
  // cannot seek, and decoding then starts from the beginning.
  bool seekTo(double seconds);

  // Hands each decoded frame and its position in seconds from the start
  // (nullopt when the frame carries no time) to onFrame, until onFrame returns
  // false or the input ends.
  using FrameHandler = std::function<bool(const AVFrame&, std::optional<double> position)>;
  void decode(const FrameHandler& onFrame);

 private:
  bool receiveFrames(const FrameHandler& onFrame);

  std::string path_;
  libav::InputPtr container_;
  libav::CodecPtr decoder_;
  AVStream* stream_ = nullptr;
  std::optional<double> headerSeconds_;  // a PCM WAV's length by its header
  libav::FramePtr frame_ = libav::makeFrame();
  int64_t framesDecoded_ = 0;
  int lastError_ = 0;
};
