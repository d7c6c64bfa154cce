#include "Transcode.h"

#include <algorithm>

#include "ConvError.h"
#include "CutWindow.h"
#include "FrameAssembler.h"
#include "InputAudio.h"
#include "LogText.h"
#include "MemoryLimits.h"
#include "OutputFile.h"
#include "OutputFormats.h"
#include "WholeAudioCheck.h"

namespace {

// Ogg keeps the comments of Vorbis, Opus, Speex and FLAC in the stream, not
// in the container.
AVDictionary* inputTags(const InputAudio& input) {
  const AVDictionary* container = input.container().metadata;
  AVDictionary* tags = nullptr;
  av_dict_copy(&tags, av_dict_count(container) > 0 ? container : input.stream().metadata, 0);
  return tags;
}

}  // namespace

Written transcode(const ConvRequest& request) {
  const OutputFormat* format = outputFormatFor(request.outputPath);
  if (!format)
    throw ConvError("cannot tell the output format from '" + request.outputPath +
                    "' (.mp3 .wma .ogg .wav .flac .ac3 .aac .amr)");
  InputAudio input(request.inputPath);
  if (sampleIndexLeftOut(input.container())) throw std::bad_alloc();
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
      openSink({*format, request.codecName, request.bitRate, wanted, temp.fd(), tags.get()});
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
  refuseEmptyOutput(input, request, cutStart, window, assembler.samplesWritten());
  std::optional<std::string> missing = shortfall(input, request, cutStart, window);
  if (const int64_t skipped = assembler.framesSkipped(); !missing && skipped > 0)
    missing = "'" + request.outputPath + "' is incomplete: its audio lacks " +
              std::to_string(skipped) + (skipped == 1 ? " damaged frame" : " damaged frames") +
              " that could not be converted";
  sink->finish();
  logProgress();
  temp.commit();
  if (!missing) return Written::Whole;
  writeLog(*missing + "\n");
  return Written::Incomplete;
}
