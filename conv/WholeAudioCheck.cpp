#include "WholeAudioCheck.h"

#include <algorithm>
#include <cstdio>

#include "ConvError.h"

namespace {

// Stated lengths are exact for the containers that state them; a shortfall
// beyond this means audio is missing, while a damaged packet or two that the
// decoder skipped stays within it.
constexpr double kMissingTolerance = 0.5;

// Hundredths as in the log; cut times given absurdly large or small stay
// readable.
std::string seconds(double value) {
  char text[32];
  const bool hundredths = value == 0 || (value >= 0.005 && value < 1e15);
  std::snprintf(text, sizeof text, hundredths ? "%.2f s" : "%.3g s", value);
  return text;
}

// Where and why reading failed short of the input's end; nullopt when it did
// not, or when the cut was whole before it. Some readers fail on reading past
// the last packet of a whole file: with all the audio its length tells of,
// that is no damage.
std::optional<std::string> damage(const InputAudio& input, const std::string& inputPath,
                                  const CutWindow& window) {
  const std::optional<InputAudio::ReadFailure>& failure = input.readFailure();
  if (!failure || window.complete()) return std::nullopt;
  const double end = window.inputEnd().value_or(0);
  const std::optional<StatedLength>& length = input.knownLength();
  if (failure->atFileEnd && length && length->end - end <= kMissingTolerance) return std::nullopt;
  return "'" + inputPath + "' is damaged at " + seconds(end) + ", where its audio stops: " +
         failure->reason;
}

}  // namespace

void refuseEmptyOutput(const InputAudio& input, const ConvRequest& request, double cutStart,
                       const CutWindow& window, int64_t samplesWritten) {
  if (samplesWritten > 0) return;
  if (std::optional<std::string> damaged = damage(input, request.inputPath, window))
    throw ConvError(*damaged);
  const std::string name = "'" + request.inputPath + "'";
  if (cutStart > 0) {
    std::optional<double> end = window.inputEnd();
    // Nothing at all after seeking: the cut lies past what the input says it holds.
    if (!end && input.durationMicros()) end = *input.durationMicros() / 1e6;
    if (end && *end <= cutStart)
      throw ConvError("the cut starts at " + seconds(cutStart) + ", after the end of " + name +
                      " at " + seconds(*end));
  }
  if (window.complete() && request.cutLength) {
    if (*request.cutLength * input.decoder().sample_rate < 1)
      throw ConvError("the cut lasts " + seconds(*request.cutLength) + ", less than one sample");
    throw ConvError(name + " holds no audio from " + seconds(cutStart) + " to " +
                    seconds(cutStart + *request.cutLength));
  }
  throw ConvError(name + " holds no audio that can be decoded");
}

std::optional<std::string> shortfall(const InputAudio& input, const ConvRequest& request,
                                     double cutStart, const CutWindow& window) {
  if (std::optional<std::string> damaged = damage(input, request.inputPath, window)) return damaged;
  const std::optional<StatedLength> stated = input.countedLength();
  if (window.complete() || !stated) return std::nullopt;
  const std::string incomplete = "'" + request.outputPath + "' is incomplete: its audio ";
  const double wantedEnd =
      request.cutLength ? std::min(stated->end, cutStart + *request.cutLength) : stated->end;
  if (wantedEnd - window.inputEnd().value_or(0) > kMissingTolerance)
    return incomplete + "stops at " + seconds(window.inputEnd().value_or(0)) + " of " +
           seconds(stated->end);
  const double wanted = wantedEnd - std::max(cutStart, stated->start);
  if (wanted - window.taken() > kMissingTolerance)
    return incomplete + "adds up to " + seconds(window.taken()) + " of " + seconds(wanted);
  return std::nullopt;
}
