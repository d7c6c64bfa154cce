// The transcoder's pure decisions, checked without running it.
#include <gtest/gtest.h>

#include "AmrSink.h"
#include "AudioShape.h"
#include "CommandLine.h"
#include "ConvError.h"
#include "CutWindow.h"
#include "FrameAssembler.h"
#include "LogText.h"

namespace {

TEST(ConvLogText, DurationIsHoursMinutesSecondsRoundedToHundredths) {
  EXPECT_EQ(durationText(205'170'000), "00:03:25.17");
  EXPECT_EQ(durationText(1'995'000), "00:00:02.00");
  EXPECT_EQ(durationText(30LL * 3600 * 1'000'000), "30:00:00.00");
  EXPECT_EQ(durationText(100LL * 3600 * 1'000'000 + 61'000'000), "100:01:01.00");
  EXPECT_EQ(durationText(std::nullopt), "N/A");
}

TEST(ConvLogText, ProgressTimeIsSecondsFollowedByABlank) {
  EXPECT_EQ(progressLine(512 * 1024, 32.7), "size=     512kB time=32.70 bitrate= 128.3kbits/s\n");
  EXPECT_NE(progressLine(0, 0).find("time=0.00 "), std::string::npos);
  EXPECT_NE(progressLine(0, 108000).find("time=108000.00 "), std::string::npos);
}

TEST(ConvLogText, ALongInputPathKeepsTheDurationLineEarly) {
  std::string lines = inputLines("wav", "/" + std::string(3000, 'x') + "/in.wav", 1'000'000, 0, 0);
  EXPECT_LT(lines.find("  Duration: 00:00:01.00, "), 400u);
  EXPECT_NE(lines.find("/in.wav':\n"), std::string::npos);
}

TEST(ConvLogText, ProgressIsLetThroughAtMostTwiceASecond) {
  using namespace std::chrono_literals;
  ProgressPace::Clock::time_point t0;
  ProgressPace pace(t0);
  EXPECT_FALSE(pace.due(t0 + 100ms));
  EXPECT_TRUE(pace.due(t0 + 500ms));
  EXPECT_FALSE(pace.due(t0 + 900ms));
  EXPECT_TRUE(pace.due(t0 + 1000ms));
}

TEST(ConvCutWindow, StartsMidFrameAndEndsAfterExactlyTheLength) {
  CutWindow window(1.0, 0.5, 0);  // 1 kHz frames of 300 samples
  EXPECT_EQ(window.take(0.6, 300, 1000).count, 0);
  CutWindow::Span first = window.take(0.9, 300, 1000);
  EXPECT_EQ(first.first, 100);
  EXPECT_EQ(first.count, 200);
  CutWindow::Span last = window.take(std::nullopt, 300, 1000);  // untimed: follows on
  EXPECT_EQ(last.first, 0);
  EXPECT_EQ(last.count, 300);
  EXPECT_TRUE(window.complete());
  EXPECT_DOUBLE_EQ(window.inputEnd().value(), 1.5);
}

TEST(ConvCutWindow, AudioStartingLateEndsWhereTheStretchEndsOnTheInputsClock) {
  CutWindow window(1.0, 3.0, 0);  // audio from 1.98 s: 2.02 s of it lie within 1 s + 3 s
  int taken = 0;
  for (double at = 1.98; !window.complete(); at += 0.5) taken += window.take(at, 500, 1000).count;
  EXPECT_EQ(taken, 2020);
  CutWindow fromZero(0, 3.0, 0);
  EXPECT_EQ(fromZero.take(2.5, 1000, 1000).count, 500);
}

TEST(ConvCutWindow, CountsSamplesOnceStartedEvenWhenFrameTimesJump) {
  CutWindow window(0, 1.0, 0);
  EXPECT_EQ(window.take(-0.02, 600, 1000).count, 600) << "no start: a frame before 0 counts";
  EXPECT_EQ(window.take(5.0, 600, 1000).count, 400);
  EXPECT_TRUE(window.complete());
  EXPECT_EQ(window.take(5.6, 600, 1000).count, 0);
}

TEST(ConvAudioShape, TakesTheNearestRateAndFittingChannelsWithANote) {
  EncoderLimits mp3{{44100, 48000, 32000, 22050, 24000, 16000, 11025, 12000, 8000}, 0, {1, 2}, 0,
                    {AV_SAMPLE_FMT_S32P, AV_SAMPLE_FMT_FLTP, AV_SAMPLE_FMT_S16P}};
  ChosenShape chosen = chooseShape({12050, 6, AV_SAMPLE_FMT_S16}, mp3, "lame");
  EXPECT_EQ(chosen.shape.sampleRate, 12000);
  EXPECT_EQ(chosen.shape.channels, 2);
  EXPECT_EQ(chosen.shape.sampleFormat, AV_SAMPLE_FMT_S16P);
  ASSERT_EQ(chosen.notes.size(), 2u);
  EXPECT_NE(chosen.notes[0].find("12000 Hz"), std::string::npos);

  EXPECT_TRUE(chooseShape({44100, 2, AV_SAMPLE_FMT_FLTP}, mp3, "lame").notes.empty());
  EncoderLimits wma{{}, 48000, {}, 2, {AV_SAMPLE_FMT_FLTP}};
  ChosenShape limited = chooseShape({96000, 6, AV_SAMPLE_FMT_S32}, wma, "wma");
  EXPECT_EQ(limited.shape.sampleRate, 48000);
  EXPECT_EQ(limited.shape.channels, 2);
  EXPECT_EQ(limited.shape.sampleFormat, AV_SAMPLE_FMT_FLTP);
}

// Takes every frame and keeps none.
class TakingSink : public AudioSink {
 public:
  explicit TakingSink(const Format& format) { format_ = format; }
  std::string containerName() const override { return "none"; }
  void write(AVFrame&) override {}
  void finish() override {}
  int64_t bytesWritten() const override { return 0; }
};

struct FrameShape {
  int sampleRate;
  int channels;  // 43 has no layout: the resampler cannot remix it
  int samples;
};

libav::FramePtr silentFrame(const FrameShape& shape) {
  libav::FramePtr frame = libav::makeFrame();
  frame->format = AV_SAMPLE_FMT_S16;
  frame->sample_rate = shape.sampleRate;
  frame->nb_samples = shape.samples;
  av_channel_layout_default(&frame->ch_layout, shape.channels);
  if (av_frame_get_buffer(frame.get(), 0) < 0) throw std::bad_alloc();
  av_samples_set_silence(frame->extended_data, 0, shape.samples, shape.channels, AV_SAMPLE_FMT_S16);
  return frame;
}

TEST(ConvFrameAssembler, SkipsFramesItCannotConvertAndFollowsRealShapeChanges) {
  const AudioSink::Format asIs{{44100, 2, AV_SAMPLE_FMT_S16}}, resampled{{48000, 2, AV_SAMPLE_FMT_FLTP}};
  const struct {
    const char* name;
    AudioSink::Format sink;
    std::vector<FrameShape> frames;
    int64_t skipped;
    int64_t written;  // 0: finish refuses
  } rows[] = {
      {"damaged frame, copied", asIs, {{44100, 2, 1024}, {44100, 43, 1024}, {44100, 2, 1024}}, 1, 2048},
      {"damaged frame, resampled", resampled, {{44100, 2, 1024}, {44100, 43, 1024}, {44100, 2, 1024}},
       1, 2229},
      {"chained 8 kHz mono then 48 kHz stereo", resampled, {{8000, 1, 800}, {48000, 2, 4800}}, 0, 9600},
      {"nothing convertible", asIs, {{44100, 43, 1024}}, 1, 0},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    TakingSink sink(row.sink);
    FrameAssembler assembler(sink);
    for (const FrameShape& shape : row.frames) assembler.push(*silentFrame(shape), 0, shape.samples);
    if (row.written == 0) {
      EXPECT_THROW(assembler.finish(), ConvError);
    } else {
      assembler.finish();
    }
    EXPECT_EQ(assembler.framesSkipped(), row.skipped);
    EXPECT_NEAR(assembler.samplesWritten(), row.written, 2);
  }
}

TEST(ConvAmrMode, BitratePicksTheNearestMode) {
  EXPECT_EQ(nearestAmrMode(7400).mode, 4);
  EXPECT_EQ(nearestAmrMode(12200).mode, 7);
  EXPECT_EQ(nearestAmrMode(100).mode, 0);
  EXPECT_EQ(nearestAmrMode(64000).bitRate, 12200);
}

TEST(ConvCommandLine, ReadsTheMainWindowsLinesWithColonsInPaths) {
  const std::string in = "/in/a:b.mp4", out = "/out/c:d.mp3";
  ConvRequest r = parseCommandLine({"-i", in, "-ss", "-30", "-t", "90", "-y", "-vn", "-ab", "192k",
                                    "-ar", "44100", "-ac", "0", "-map_meta_data", in + ":" + out, out});
  EXPECT_EQ(r.inputPath, in);
  EXPECT_EQ(r.outputPath, out);
  EXPECT_EQ(r.cutStart, -30);
  EXPECT_EQ(r.cutLength, 90);
  EXPECT_TRUE(r.overwrite);
  EXPECT_EQ(r.bitRate, 192000);
  EXPECT_EQ(r.sampleRate, 44100);
  EXPECT_EQ(r.channels, std::nullopt) << "0 channels: as the input";
  EXPECT_TRUE(r.copyTags);
  EXPECT_EQ(parseBitRate("7.4k"), 7400);
  EXPECT_EQ(parseBitRate("k"), std::nullopt);
}

TEST(ConvCommandLine, RejectsWhatItCannotReadNamingTheArgument) {
  auto reason = [](std::vector<std::string> args) {
    try {
      parseCommandLine(args);
    } catch (const ConvError& e) {
      return std::string(e.what());
    }
    return std::string("accepted");
  };
  EXPECT_EQ(reason({"-i", "a.wav", "-q", "b.mp3"}), "unknown option -q");
  EXPECT_EQ(reason({"-i", "a.wav", "b.mp3", "-ab"}), "option -ab needs a value");
  EXPECT_EQ(reason({"-i", "a.wav", "-y", "-y", "b.mp3"}), "option -y given twice");
  EXPECT_EQ(reason({"-i", "a.wav"}), "no output file given");
  EXPECT_EQ(reason({"b.mp3"}), "no input file given (-i)");
  EXPECT_NE(reason({"-i", "a.wav", "-ar", "44.1k", "b.mp3"}).find("-ar"), std::string::npos);
  EXPECT_NE(reason({"-i", "a.wav", "-t", "0", "b.mp3"}).find("-t"), std::string::npos);
  EXPECT_NE(reason({"-i", "a.wav", "-map_meta_data", "x.wav:b.mp3", "b.mp3"}).find("INPUT:OUTPUT"),
            std::string::npos);
}

}  // namespace
