#include "Transcode.h"

#include <algorithm>
#include <cstdio>

#include "ConvError.h"
#include "CutWindow.h"
#include "FrameAssembler.h"
#include "InputAudio.h"
#include "LogText.h"
#include "OutputFile.h"
#include "OutputFormats.h"

namespace {

// Declared lengths are exact for the containers that declare them; a shortfall
// beyond this means the data behind the header is missing.
constexpr double kTruncationTolerance = 0.5;

std::string seconds(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.2f s", value);
  return text;
}

AVDictionary* inputTags(const InputAudio& input) {
  AVDictionary* tags = nullptr;
  av_dict_copy(&tags, input.container().metadata, 0);
  return tags;
}

void checkAudioWasWhole(const InputAudio& input, const ConvRequest& request, double cutStart,
                        const CutWindow& window, int64_t samplesWritten) {
  const std::string name = "'" + request.inputPath + "'";
  if (samplesWritten == 0 && cutStart > 0 && window.inputEnd() <= cutStart)
    throw ConvError("the cut starts at " + seconds(cutStart) + ", after the end of " + name +
                    " at " + seconds(window.inputEnd()));
  if (samplesWritten == 0) throw ConvError(name + " holds no audio that can be decoded");
  if (window.complete()) return;
  std::optional<double> declared = input.declaredEnd();
  if (!declared) return;
  double wantedEnd = request.cutLength ? std::min(*declared, cutStart + *request.cutLength) : *declared;
  if (wantedEnd - window.inputEnd() > kTruncationTolerance)
    throw ConvError(name + " is truncated or damaged: its audio stops at " +
                    seconds(window.inputEnd()) + " of " + seconds(*declared));
}

}  // namespace

void transcode(const ConvRequest& request) {
  const OutputFormat* format = outputFormatFor(request.outputPath);
  if (!format)
    throw ConvError("cannot tell the output format from '" + request.outputPath +
                    "' (.mp3 .wma .ogg .wav .flac .ac3 .aac .amr)");
  InputAudio input(request.inputPath);
  checkOutputAllowed(request.inputPath, request.outputPath, request.overwrite);
  writeLog(inputLines(input.container().iformat->name, request.inputPath, input.durationMicros(),
                      input.startMicros(), input.container().bit_rate));

  const double cutStart = std::max(0.0, request.cutStart.value_or(0));
  const bool sought = cutStart > 0 && input.seekTo(cutStart);
  CutWindow window(cutStart, request.cutLength, sought ? cutStart : 0);

  const AVCodecContext& decoder = input.decoder();
  AudioShape wanted{request.sampleRate.value_or(decoder.sample_rate),
                    request.channels.value_or(decoder.ch_layout.nb_channels), decoder.sample_fmt};
  TempOutput temp(request.outputPath);
  libav::DictPtr tags(request.copyTags ? inputTags(input) : nullptr);
  std::unique_ptr<AudioSink> sink =
      openSink({*format, request.codecName, request.bitRate, wanted, temp.path(), tags.get()});
  writeLog(outputLine(sink->containerName(), request.outputPath));
  for (const std::string& note : sink->notes()) writeLog("Note: " + note + "\n");

  FrameAssembler assembler(*sink);
  const double outRate = sink->format().shape.sampleRate;
  auto logProgress = [&] {
    writeLog(progressLine(sink->bytesWritten(), assembler.samplesWritten() / outRate));
  };
  ProgressPace pace(ProgressPace::Clock::now());
  input.decode([&](const AVFrame& frame, std::optional<double> position) {
    CutWindow::Span span = window.take(position, frame.nb_samples, frame.sample_rate);
    assembler.push(frame, span.first, span.count);
    if (pace.due(ProgressPace::Clock::now())) logProgress();
    return !window.complete();
  });
  assembler.finish();
  checkAudioWasWhole(input, request, cutStart, window, assembler.samplesWritten());
  sink->finish();
  logProgress();
  temp.commit();
}
