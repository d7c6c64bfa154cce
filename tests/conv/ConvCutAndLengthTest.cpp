// Where the output starts and how long it lasts: cuts, rates the encoder
// cannot take, inputs too long for a plain header, and runs cut short.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QString>
#include <cstring>

#include "ConvRun.h"
#include "ScratchFolder.h"
#include "TestMedia.h"
#include "WavHeader.h"
#include "main/ProgressReading.h"

namespace {

constexpr int kBytesPerSecond = 44100 * 4;

// A 16-bit stereo 44.1 kHz header; RF64 when the declared size needs 64 bits.
std::string wavHeader(uint64_t declaredBytes, bool rf64) {
  auto le = littleEndianBytes;
  const std::string fmt = pcmFormatChunk(44100);
  if (!rf64) return "RIFF" + le(declaredBytes + 36, 4) + "WAVE" + fmt + "data" + le(declaredBytes, 4);
  std::string ds64 =
      "ds64" + le(28, 4) + le(declaredBytes + 72, 8) + le(declaredBytes, 8) + le(0, 8) + le(0, 4);
  return "RF64" + le(0xFFFFFFFF, 4) + "WAVE" + ds64 + fmt + "data" + le(0xFFFFFFFF, 4);
}

class ConvCuts : public testing::Test {
 protected:
  void SetUp() override { writeMedia(input_, {.seconds = 3}); }
  ScratchFolder folder_;
  const std::string input_ = folder_.path("steps.wav");  // first channel: hundredths of a second
  const std::string output_ = folder_.path("out.wav");
};

TEST_F(ConvCuts, TheStretchStartsAtTheSampleAndLastsTheLength) {
  ASSERT_EQ(runConv({"-i", input_, "-ss", "1", "-t", "1", "-y", output_}).exitCode, 0);
  MediaFacts cut = probeMedia(output_);
  EXPECT_EQ(cut.firstSample, 100);
  EXPECT_NEAR(cut.decodedSeconds, 1.0, 1e-4);

  ASSERT_EQ(runConv({"-i", input_, "-ss", "-5", "-t", "2", "-y", output_}).exitCode, 0);
  MediaFacts fromZero = probeMedia(output_);
  EXPECT_EQ(fromZero.firstSample, 0) << "a negative start counts as 0";
  EXPECT_NEAR(fromZero.decodedSeconds, 2.0, 1e-4);

  ASSERT_EQ(runConv({"-i", input_, "-ss", "2", "-t", "90", "-y", output_}).exitCode, 0);
  EXPECT_NEAR(probeMedia(output_).decodedSeconds, 1.0, 0.03) << "a stretch past the end stops there";
}

// Audio that starts late (at 1.5 s, by its AVI header): a cut takes what lies
// between its start and end on the input's clock, and one that ends before the
// audio begins is refused as empty.
TEST_F(ConvCuts, ACutIsTakenOnTheInputsClock) {
  const std::string late = folder_.path("late.avi");
  writeMedia(late, {.muxer = "avi", .audioCodec = "ac3", .withVideo = true, .seconds = 4});
  std::string bytes = readFile(late);
  setAviAudioStart(bytes, 1.5);
  writeFile(late, bytes);
  const struct {
    const char* start;
    const char* length;
    double seconds;
  } cuts[] = {{"1", "3", 2.5}, {"2", "1", 1.0}, {"0", "2", 0.5}};
  for (const auto& cut : cuts) {
    ConvResult run = runConv({"-i", late, "-ss", cut.start, "-t", cut.length, "-y", output_});
    ASSERT_EQ(run.exitCode, 0) << run.log;
    EXPECT_NEAR(probeMedia(output_).decodedSeconds, cut.seconds, 0.01) << cut.start << " + " << cut.length;
  }
  ConvResult early = runConv({"-i", late, "-ss", "0.2", "-t", "1", "-y", output_});
  EXPECT_EQ(early.exitCode, 1);
  EXPECT_NE(early.lastLine().find("holds no audio from 0.20 s to 1.20 s"), std::string::npos) << early.log;
}

TEST_F(ConvCuts, EmptyStretchesAreRefusedNotWritten) {
  for (auto cut : {std::pair{"10", "5"}, {"0", "0"}, {"1", "-3"}}) {
    ConvResult run = runConv({"-i", input_, "-ss", cut.first, "-t", cut.second, "-y", output_}, 20);
    EXPECT_EQ(run.exitCode, 1) << run.log;
    EXPECT_FALSE(std::filesystem::exists(output_));
  }
}

// Values no input can have: a start past any end is refused as such, as is a
// length below one sample; a length past the end takes the input to its end,
// and an RF64 size no file could hold (or that would last for ages) leaves
// the samples that are there.
TEST_F(ConvCuts, AbsurdValuesAreRefusedOrEndAtTheInputsEnd) {
  ConvResult late = runConv({"-i", input_, "-ss", "1e15", "-y", output_}, 20);
  EXPECT_EQ(late.exitCode, 1);
  EXPECT_NE(late.lastLine().find("after the end of '" + input_ + "' at 3.0"), std::string::npos)
      << late.log;

  ConvResult brief = runConv({"-i", input_, "-t", "1e-300", "-y", output_}, 20);
  EXPECT_EQ(brief.exitCode, 1);
  EXPECT_NE(brief.lastLine().find("the cut lasts 1e-300 s, less than one sample"), std::string::npos)
      << brief.log;

  ASSERT_EQ(runConv({"-i", input_, "-ss", "1", "-t", "1e300", "-y", output_}).exitCode, 0);
  EXPECT_NEAR(probeMedia(output_).decodedSeconds, 2.0, 0.03);

  const std::string absurd = folder_.path("absurd.wav");
  for (uint64_t declared : {~uint64_t(0) - 15, uint64_t(1) << 62}) {
    writeFile(absurd, wavHeader(declared, true) + std::string(kBytesPerSecond, '\0'));
    ConvResult run = runConv({"-i", absurd, "-y", output_});
    ASSERT_EQ(run.exitCode, 0) << run.log;
    EXPECT_NE(run.log.find("Duration: 00:00:01.00, "), std::string::npos) << run.log;
    EXPECT_NEAR(probeMedia(output_).decodedSeconds, 1.0, 0.01);
  }
}

TEST_F(ConvCuts, ARateTheEncoderCannotTakeBecomesTheNearestWithANote) {
  const std::string mp3 = folder_.path("out.mp3");
  ConvResult run = runConv({"-i", input_, "-y", "-vn", "-ab", "64k", "-ar", "12050", "-ac", "2", mp3});
  ASSERT_EQ(run.exitCode, 0) << run.log;
  EXPECT_NE(run.log.find("12050 Hz; encoding at the nearest rate it takes, 12000 Hz"), std::string::npos);
  EXPECT_EQ(probeMedia(mp3).sampleRate, 12000);
}

// A header declaring 30 hours over one second of samples: the Duration line
// carries the full length in the form the main window reads, and the second
// there is written and reported as incomplete rather than passed off as whole.
TEST_F(ConvCuts, ThirtyHourHeaderIsReadToItsFullLength) {
  const std::string longWav = folder_.path("long.wav");
  writeFile(longWav, wavHeader(uint64_t(30) * 3600 * kBytesPerSecond, true) +
                         std::string(kBytesPerSecond, '\0'));
  ConvResult whole = runConv({"-i", longWav, "-y", output_}, 20);
  EXPECT_NE(whole.log.find("Duration: 30:00:00.00, "), std::string::npos) << whole.log;
  EXPECT_EQ(progress::durationSeconds(QString::fromStdString(whole.log.substr(0, 1024))), 108000);
  EXPECT_EQ(whole.exitCode, 2);
  EXPECT_EQ(whole.lastLine(), "'" + output_ + "' is incomplete: its audio stops at 1.00 s of 108000.00 s");
  EXPECT_NEAR(probeMedia(output_).decodedSeconds, 1.0, 0.01);
  EXPECT_EQ(runConv({"-i", longWav, "-t", "1", "-y", output_}).exitCode, 0) << "a cut within the data";
}

TEST_F(ConvCuts, LengthsPastFourGibibytesAreKept) {
  // The WAV output keeps room for an RF64 header, which the muxer fills in
  // once the data outgrows 4 GiB.
  ASSERT_EQ(runConv({"-i", input_, "-y", output_}).exitCode, 0);
  EXPECT_EQ(readFile(output_).substr(8, 8), "WAVEJUNK");

  // A plain header over more than 4 GiB (sparse, so nothing is written)
  // counts its size modulo 2^32; the samples are taken to the file's end,
  // and a cut near that end is found by seeking.
  const std::string big = folder_.path("big.wav");
  const uint64_t bytes = (uint64_t(1) << 32) + 10 * kBytesPerSecond;
  writeFile(big, wavHeader(bytes, false));
  ASSERT_EQ(truncate(big.c_str(), off_t(44 + bytes)), 0);
  std::optional<WavDataChunk> data = readWavDataChunk(big);
  ASSERT_TRUE(data);
  EXPECT_TRUE(data->sizeWrapped);
  EXPECT_EQ(data->declaredBytes, std::nullopt);
  EXPECT_EQ(data->presentBytes, int64_t(bytes));

  ConvResult run = runConv({"-i", big, "-ss", "24350", "-t", "60", "-y", output_}, 20);
  ASSERT_EQ(run.exitCode, 0) << run.log;
  EXPECT_NE(run.log.find("Duration: 06:45:57.89, "), std::string::npos) << run.log;
  EXPECT_NEAR(probeMedia(output_).decodedSeconds, 7.89, 0.01);
}

}  // namespace
