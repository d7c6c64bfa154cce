// Inputs valid in themselves that encoders take badly: samples no encoder
// can hold.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

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

}  // namespace
