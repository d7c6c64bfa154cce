// Inputs valid in themselves that encoders or resamplers take badly: samples
// no encoder can hold, rates and lengths at an encoder's edge, and tags kept
// in the audio stream rather than the container.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <functional>
#include <limits>

extern "C" {
#include <libavcodec/avcodec.h>
}

#include "ConvRun.h"
#include "ScratchFolder.h"
#include "TestMedia.h"

namespace {

const char* const kOutputExtensions[] = {".mp3", ".wma", ".ogg", ".wav", ".flac", ".ac3", ".aac", ".amr"};

// Puts values no encoder can take into the first channel of a stereo float
// WAV's data, a few hundred samples apart.
template <typename Sample>
void putUnencodableSamples(std::string& bytes) {
  using Limits = std::numeric_limits<Sample>;
  size_t at = bytes.find("data") + 8;
  for (Sample value : {Limits::quiet_NaN(), Limits::infinity(), -Limits::infinity(), Sample(1e30),
                       Sample(-1e30), -Limits::quiet_NaN()}) {
    at += 300 * 2 * sizeof(Sample);
    std::memcpy(&bytes[at], &value, sizeof value);
  }
}

struct FloatInput {
  const char* codec;
  void (*patch)(std::string& bytes);
};
void PrintTo(const FloatInput& input, std::ostream* out) { *out << input.codec; }

class ConvSamples : public testing::TestWithParam<FloatInput> {
 protected:
  ScratchFolder folder_;
};

TEST_P(ConvSamples, NonFiniteAndOutOfRangeSamplesConvertToEveryFormat) {
  const std::string input = folder_.path("float.wav");
  writeMedia(input, {.audioCodec = GetParam().codec, .seconds = 1});
  std::string bytes = readFile(input);
  GetParam().patch(bytes);
  writeFile(input, bytes);

  std::vector<std::pair<std::string, ConvProcess>> runs;
  for (const char* extension : kOutputExtensions) {
    const std::string output = folder_.path(std::string("out") + extension);
    runs.emplace_back(output, startConv({"-i", input, "-y", output}));
  }
  for (const auto& [output, process] : runs) {
    SCOPED_TRACE(output);
    ConvResult run = finishConv(process);
    ASSERT_EQ(run.exitCode, 0) << run.log;
    EXPECT_NEAR(probeMedia(output).decodedSeconds, 1, 0.1);
  }
}

INSTANTIATE_TEST_SUITE_P(FloatWav, ConvSamples,
                         testing::Values(FloatInput{"pcm_f32le", putUnencodableSamples<float>},
                                         FloatInput{"pcm_f64le", putUnencodableSamples<double>}),
                         [](const auto& info) { return std::string(info.param.codec); });

// 100 samples of 16-bit stereo: fewer than the resampler's filter holds.
void writeTinyWav(const std::string& path) {
  auto le = littleEndianBytes;
  const std::string data(400, '\x10');
  writeFile(path, "RIFF" + le(4 + 24 + 8 + data.size(), 4) + "WAVE" + pcmFormatChunk(44100) + "data" +
                      le(data.size(), 4) + data);
}

TEST(ConvEdges, RatesAndLengthsAtTheEncodersEdgeConvert) {
  ScratchFolder folder;
  const struct {
    const char* input;
    std::function<void(const std::string&)> write;
    const char* output;
    int sampleRate;
    double seconds;
  } rows[] = {
      {"384k.wav", [](const std::string& path) { writeMedia(path, {.sampleRate = 384000, .seconds = 0.5}); },
       ".ogg", 200000, 0.5},
      {"tiny.wav", writeTinyWav, ".amr", 8000, 0.02},  // one frame, padded
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.input);
    const std::string input = folder.path(row.input);
    const std::string output = folder.path(std::string("out") + row.output);
    row.write(input);
    ConvResult run = runConv({"-i", input, "-y", output});
    ASSERT_EQ(run.exitCode, 0) << run.log;
    MediaFacts facts = probeMedia(output);
    EXPECT_EQ(facts.sampleRate, row.sampleRate);
    EXPECT_NEAR(facts.decodedSeconds, row.seconds, 0.01);
  }
}

const std::map<std::string, std::string> kTags = {
    {"title", "Sine: a test"}, {"artist", "Dabrelin"}, {"album", "Tones"}};

struct OggInput {
  const char* name;
  const char* codec;
  int sampleRate;
};
void PrintTo(const OggInput& input, std::ostream* out) { *out << input.name; }

class ConvOggTags : public testing::TestWithParam<OggInput> {
 protected:
  ScratchFolder folder_;
};

TEST_P(ConvOggTags, StreamCommentsReachTheTaggedOutputs) {
  const OggInput& param = GetParam();
  if (!avcodec_find_encoder_by_name(param.codec)) GTEST_SKIP() << "no encoder " << param.codec;
  const std::string input = folder_.path(param.name);
  writeMedia(input, {.muxer = "ogg", .audioCodec = param.codec, .sampleRate = param.sampleRate,
                     .channels = 1, .seconds = 1, .streamTags = kTags});
  for (const char* extension : {".mp3", ".wma", ".ogg"}) {
    SCOPED_TRACE(extension);
    const std::string output = folder_.path(std::string("out") + extension);
    ConvResult run = runConv({"-i", input, "-y", "-vn", "-map_meta_data", input + ":" + output, output});
    ASSERT_EQ(run.exitCode, 0) << run.log;
    MediaFacts facts = probeMedia(output);
    for (const auto& [key, value] : kTags) EXPECT_EQ(facts.tags[key], value) << key;
  }
}

INSTANTIATE_TEST_SUITE_P(Ogg, ConvOggTags,
                         testing::Values(OggInput{"vorbis.ogg", "libvorbis", 44100},
                                         OggInput{"opus.ogg", "libopus", 48000},
                                         OggInput{"flac.ogg", "flac", 44100},
                                         OggInput{"speex.ogg", "libspeex", 16000}),
                         [](const auto& info) { return std::string(info.param.codec); });

}  // namespace
