#include "CutWindow.h"

#include <algorithm>
#include <cmath>

CutWindow::CutWindow(double start, std::optional<double> length, double untimedOrigin)
    : start_(start), length_(length), nextFrameStart_(untimedOrigin) {}

CutWindow::Span CutWindow::take(std::optional<double> frameStart, int samples, int sampleRate) {
  double position = frameStart.value_or(nextFrameStart_);
  nextFrameStart_ = position + double(samples) / sampleRate;
  sawFrames_ = true;
  if (complete_ || samples <= 0) return {};

  // Sample counts stay in double until they are known to fit a frame: a
  // start or length given in seconds may be any size.
  Span span{0, samples};
  // Without a start, everything counts: decoders that drop their priming
  // samples may leave the frame's time before 0.
  if (!started_ && start_ > 0) {
    double skipped = std::round((start_ - position) * sampleRate);
    span.first = int(std::clamp<double>(skipped, 0, samples));
    span.count = samples - span.first;
    if (span.count == 0) return {};
  }
  if (!started_) lead_ = std::max(0.0, position - start_);
  started_ = true;
  if (length_) {
    double wanted = std::round((*length_ - lead_ - taken_) * sampleRate);
    if (wanted <= span.count) {
      span.count = int(std::max<double>(wanted, 0));
      complete_ = true;
    }
  }
  taken_ += double(span.count) / sampleRate;
  return span;
}
