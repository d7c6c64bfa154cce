#pragma once
#include <functional>
#include <optional>
#include <string>

#include "InputFile.h"
#include "LibavPtr.h"
#include "StatedLength.h"

// The best audio stream of an input file, decoded. Every other stream is left
// unread.
class InputAudio {
 public:
  explicit InputAudio(const std::string& path);

  const AVFormatContext& container() const { return *container_; }
  const AVCodecContext& decoder() const { return *decoder_; }
  const AVStream& stream() const { return *stream_; }

  // Cut times and frame positions count from this point of the container.
  std::optional<int64_t> startMicros() const;
  std::optional<int64_t> durationMicros() const;

  // Where the input says its audio lies, when its container counts the audio
  // itself: audio falling short of it is missing from the file.
  std::optional<StatedLength> countedLength() const;

  // Where the input says its audio lies, counted or only measured.
  const std::optional<StatedLength>& knownLength() const { return stated_; }

  // Why reading stopped short of the end, after audio had been decoded: what
  // came before it is kept.
  struct ReadFailure {
    std::string reason;  // libav's account
    bool atFileEnd;      // all the file's bytes had been read: some readers fail there
  };
  const std::optional<ReadFailure>& readFailure() const { return readFailure_; }

  // Moves to a key point at or before the position (at most the input's end);
  // false when the container cannot seek, and decoding then starts from the
  // beginning.
  bool seekTo(double seconds);

  // Hands each decoded frame and its position in seconds from the start
  // (nullopt when the frame carries no time) to onFrame, until onFrame returns
  // false or the input ends. A read that fails ends the input there (see
  // readFailure); it fails the run only when nothing was decoded before it.
  using FrameHandler = std::function<bool(const AVFrame&, std::optional<double> position)>;
  void decode(const FrameHandler& onFrame);

 private:
  bool receiveFrames(const FrameHandler& onFrame);
  void stopReading(int error);
  // A packet or frame the decoder could not take; a lack of memory is no
  // damage but the end of the run.
  void noteLostStretch(int error);

  std::string path_;
  InputFile file_;  // outlives the container reading through it
  libav::InputPtr container_;
  libav::CodecPtr decoder_;
  AVStream* stream_ = nullptr;
  std::optional<StatedLength> stated_;
  libav::FramePtr frame_ = libav::makeFrame();
  int64_t framesDecoded_ = 0;
  int lastError_ = 0;
  std::optional<ReadFailure> readFailure_;
};
