// Every command line the main window builds, run through the built transcoder,
// with the outputs decoded back and the log read the way the main window does.
#include <gtest/gtest.h>

#include <QString>
#include <cmath>
#include <optional>

#include "ConvRun.h"
#include "ScratchFolder.h"
#include "TestMedia.h"
#include "main/ProgressReading.h"

namespace {

struct Row {
  const char* extension;
  std::vector<std::string> options;
  bool copiesTags;
  const char* codec;
  int sampleRate;  // 0: as the input
  int channels;    // 0: as the input
};

const Row kRows[] = {
    {".mp3", {"-ab", "128k", "-ar", "22050", "-ac", "1"}, true, "mp3", 22050, 1},
    {".wma", {"-acodec", "wmav1"}, true, "wmav1", 0, 0},
    {".ogg", {"-ac", "2"}, true, "vorbis", 0, 2},
    {".wav", {"-acodec", "pcm_s16le"}, false, "pcm_s16le", 0, 0},
    {".flac", {}, false, "flac", 0, 0},
    {".ac3", {}, false, "ac3", 0, 0},
    {".aac", {}, false, "aac", 0, 0},
    {".amr", {"-ar", "8000", "-ab", "7.4k", "-ac", "1"}, false, "amr_nb", 8000, 1},
};

void PrintTo(const Row& row, std::ostream* out) { *out << row.extension; }

struct Cut {
  int start;
  int length;
};

std::vector<std::string> commandLine(const std::string& in, const std::string& out, const Row& row,
                                     std::optional<Cut> cut) {
  std::vector<std::string> args{"-i", in};
  if (cut) args.insert(args.end(), {"-ss", std::to_string(cut->start), "-t", std::to_string(cut->length)});
  args.insert(args.end(), {"-y", "-vn"});
  args.insert(args.end(), row.options.begin(), row.options.end());
  if (row.copiesTags) args.insert(args.end(), {"-map_meta_data", in + ":" + out});
  args.push_back(out);
  return args;
}

const std::map<std::string, std::string> kTags = {{"title", "Sine: a test"}, {"artist", "Dabrelin"}};

class ConvFormats : public testing::TestWithParam<Row> {
 protected:
  static void SetUpTestSuite() {
    inputs_ = new ScratchFolder;
    writeMedia(inputs_->path("tone.wav"), {.seconds = 3, .tags = kTags});
    writeMedia(inputs_->path("clip.mp4"), {.muxer = "mp4", .audioCodec = "aac", .withVideo = true,
                                           .sampleRate = 48000, .seconds = 4, .tags = kTags});
  }
  static void TearDownTestSuite() { delete inputs_; }

  // Converts, then checks the output and the log: the total from the first
  // chunk the main window reads and the position from the final line.
  void convertAndCheck(const std::string& input, int inputRate, int inputSeconds,
                       std::optional<Cut> cut) {
    const Row& row = GetParam();
    const std::string output = outputs_.path(std::string("out") + row.extension);
    ConvResult run = runConv(commandLine(input, output, row, cut));
    ASSERT_EQ(run.exitCode, 0) << run.log;
    const double seconds = cut ? cut->length : inputSeconds;

    EXPECT_EQ(progress::durationSeconds(QString::fromStdString(run.log.substr(0, 1024))), inputSeconds);
    std::optional<QString> time = progress::timeText(QString::fromStdString(run.lastLine()));
    ASSERT_TRUE(time) << run.log;
    EXPECT_EQ(progress::positionSeconds(*time), seconds);

    MediaFacts facts = probeMedia(output);
    EXPECT_EQ(facts.codec, row.codec);
    EXPECT_EQ(facts.sampleRate, row.sampleRate ? row.sampleRate : inputRate);
    EXPECT_EQ(facts.channels, row.channels ? row.channels : 2);
    EXPECT_NEAR(facts.decodedSeconds, seconds, 0.1);
    for (const auto& [key, value] : kTags) {
      if (row.copiesTags) {
        EXPECT_EQ(facts.tags[key], value) << key;
      }
    }
    EXPECT_EQ(outputs_.fileCount(), 1u) << "only the output is left in its folder";
  }

  static ScratchFolder* inputs_;
  ScratchFolder outputs_;
};
ScratchFolder* ConvFormats::inputs_ = nullptr;

TEST_P(ConvFormats, WholeFileFromWavWithTags) {
  convertAndCheck(inputs_->path("tone.wav"), 44100, 3, std::nullopt);
}

TEST_P(ConvFormats, CutFromMp4WithVideo) {
  convertAndCheck(inputs_->path("clip.mp4"), 48000, 4, Cut{1, 2});
}

// Ogg keeps the comments of Vorbis, Opus, Speex and FLAC in the audio stream.
TEST(ConvOggTags, ReachEveryOutputThatTakesTags) {
  ScratchFolder folder;
  std::map<std::string, std::string> tags = kTags;
  tags["album"] = "Tones";
  for (auto [codec, rate] : {std::pair{"libvorbis", 44100}, {"libopus", 48000}, {"flac", 44100},
                             {"libspeex", 16000}}) {
    SCOPED_TRACE(codec);
    const std::string input = folder.path(std::string(codec) + ".ogg");
    writeMedia(input, {.muxer = "ogg", .audioCodec = codec, .sampleRate = rate, .channels = 1,
                       .seconds = 1, .streamTags = tags});
    for (const Row& row : kRows) {
      if (!row.copiesTags) continue;
      const std::string output = folder.path(std::string("out") + row.extension);
      ASSERT_EQ(runConv(commandLine(input, output, row, std::nullopt)).exitCode, 0) << row.extension;
      MediaFacts facts = probeMedia(output);
      for (const auto& [key, value] : tags) EXPECT_EQ(facts.tags[key], value) << row.extension << key;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(AllEight, ConvFormats, testing::ValuesIn(kRows),
                         [](const auto& info) { return std::string(info.param.extension + 1); });

}  // namespace
