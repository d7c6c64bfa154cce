#pragma once
#include <cstdint>
#include <string>

#include "AudioSink.h"
#include "LibavPtr.h"

// Turns decoded frames of any shape into the frames the sink takes: resampled,
// remixed, converted and cut to its frame size. Audio passes through in pieces
// of a bounded size, so memory stays small whatever the length and rate ratio.
class FrameAssembler {
 public:
  explicit FrameAssembler(AudioSink& sink);
  ~FrameAssembler();
  FrameAssembler(const FrameAssembler&) = delete;
  FrameAssembler& operator=(const FrameAssembler&) = delete;

  // Passes the samples [first, first + count) of the frame on. A frame of a
  // shape the resampler cannot take (a damaged one, decoded as dozens of
  // channels) is skipped and counted instead.
  void push(const AVFrame& frame, int first, int count);
  // Drains the resampler and hands over the last, possibly short, frame.
  // When every frame was skipped, throws why the first one could not be taken.
  void finish();
  // Samples handed to the sink so far, at the sink's rate.
  int64_t samplesWritten() const { return samplesWritten_; }
  int64_t framesSkipped() const { return framesSkipped_; }

 private:
  static constexpr int kPieceSamples = 16384;

  // False when the frame's shape cannot be converted; the setup is then
  // left as it was for the frames after it.
  bool configureFor(const AVFrame& frame);
  libav::SwrPtr makeResampler(AVChannelLayout& layout, AVSampleFormat format, int rate);
  void convert(const uint8_t** input, int count);
  void store(const uint8_t* const* samples, int count);
  void storeSilence(int count);
  void deliver(bool last);

  AudioSink& sink_;
  AudioSink::Format format_;
  AVChannelLayout outLayout_{};
  bool configured_ = false;
  libav::SwrPtr resampler_;  // none while the input already has the sink's shape
  AVChannelLayout inLayout_{};
  int inRate_ = 0;
  AVSampleFormat inFormat_ = AV_SAMPLE_FMT_NONE;
  libav::FifoPtr fifo_;
  libav::FramePtr converted_ = libav::makeFrame();  // one piece from the resampler
  libav::FramePtr outgoing_ = libav::makeFrame();
  int64_t samplesWritten_ = 0;
  double secondsTaken_ = 0;  // of input audio, whatever its rates
  int64_t framesSkipped_ = 0;
  std::string firstRefusal_;
};
