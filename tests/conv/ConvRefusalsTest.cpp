// Runs that must not produce an output: refused files and bad inputs. Each
// ends non-zero with one line of reason, in time, leaving the folder as it was.
#include <gtest/gtest.h>
#include <unistd.h>

#include "ConvRun.h"
#include "ScratchFolder.h"
#include "TestMedia.h"

namespace {

class ConvRefusals : public testing::Test {
 protected:
  void SetUp() override { writeMedia(input_, {.seconds = 2}); }

  void expectRefused(const std::vector<std::string>& args, const std::string& reasonPart) {
    const size_t filesBefore = folder_.fileCount();
    ConvResult run = runConv(args, 20);
    EXPECT_EQ(run.exitCode, 1) << run.log;
    EXPECT_EQ(run.lastLine().rfind("conv: ", 0), 0u) << run.log;
    EXPECT_NE(run.lastLine().find(reasonPart), std::string::npos) << run.log;
    EXPECT_EQ(folder_.fileCount(), filesBefore) << "no output and no temporary file left";
  }

  ScratchFolder folder_;
  const std::string input_ = folder_.path("in.wav");
  const std::string output_ = folder_.path("out.mp3");
};

TEST_F(ConvRefusals, BadCommandLinesNameTheArgument) {
  expectRefused({"-i", input_, "-y", "-fast", output_}, "-fast");
  expectRefused({"-i", input_, "-y", folder_.path("out.xyz")}, "out.xyz");
  expectRefused({"-i", input_, "-y", "-acodec", "pcm_s16le", folder_.path("out.amr")}, "pcm_s16le");
}

TEST_F(ConvRefusals, ExistingOutputIsReplacedOnlyWithY) {
  writeFile(output_, "earlier");
  expectRefused({"-i", input_, output_}, "-y");
  EXPECT_EQ(readFile(output_), "earlier");
  EXPECT_EQ(runConv({"-i", input_, "-y", output_}).exitCode, 0);
  EXPECT_NE(readFile(output_), "earlier");
}

TEST_F(ConvRefusals, NeverWritesOverItsOwnInputEvenThroughLinks) {
  const std::string original = readFile(input_);
  const std::string copyPath = folder_.path("copy.wav");
  expectRefused({"-i", input_, "-y", "-acodec", "pcm_s16le", input_}, "input file itself");
  ASSERT_EQ(symlink(input_.c_str(), folder_.path("sym.wav").c_str()), 0);
  expectRefused({"-i", input_, "-y", folder_.path("sym.wav")}, "input file itself");
  ASSERT_EQ(link(input_.c_str(), folder_.path("hard.wav").c_str()), 0);
  expectRefused({"-i", folder_.path("hard.wav"), "-y", input_}, "input file itself");
  EXPECT_EQ(readFile(input_), original);
}

TEST_F(ConvRefusals, AFailedRunLeavesTheEarlierOutputWhole) {
  writeFile(output_, "earlier");
  writeFile(folder_.path("bad.wav"), "RIFF\x10\0\0\0WAVEjunk");
  expectRefused({"-i", folder_.path("bad.wav"), "-y", output_}, "bad.wav");
  EXPECT_EQ(readFile(output_), "earlier");
  expectRefused({"-i", input_, "-y", folder_.path("missing/out.mp3")}, "output folder");
}

TEST_F(ConvRefusals, BadInputsGiveOneLineOfReason) {
  expectRefused({"-i", folder_.path("absent.wav"), "-y", output_}, "No such file");
  writeFile(folder_.path("empty.mp4"), "");
  expectRefused({"-i", folder_.path("empty.mp4"), "-y", output_}, "empty.mp4");
  writeFile(folder_.path("noise.avi"), std::string(5000, '\x5a'));
  expectRefused({"-i", folder_.path("noise.avi"), "-y", output_}, "noise.avi");
  writeMedia(folder_.path("silent.mp4"), {.muxer = "mp4", .audioCodec = "", .withVideo = true, .seconds = 1});
  expectRefused({"-i", folder_.path("silent.mp4"), "-y", output_}, "no audio stream");
}

// Cut points inside the header, early and late in the data, for containers
// that declare their length (WAV, MP4, MP3 with its frame count, FLAC).
TEST_F(ConvRefusals, TruncatedFilesAreRefused) {
  std::vector<std::string> wholes{input_, folder_.path("clip.mp4")};
  writeMedia(wholes[1], {.muxer = "mp4", .audioCodec = "aac", .withVideo = true, .seconds = 2});
  for (const char* extension : {".mp3", ".flac"}) {
    wholes.push_back(folder_.path(std::string("whole") + extension));
    ASSERT_EQ(runConv({"-i", input_, wholes.back()}).exitCode, 0);
  }
  for (const std::string& whole : wholes) {
    const std::string bytes = readFile(whole);
    for (double part : {0.01, 0.3, 0.7}) {
      const std::string cut = folder_.path("cut" + std::filesystem::path(whole).extension().string());
      writeFile(cut, bytes.substr(0, size_t(bytes.size() * part)));
      SCOPED_TRACE(whole + " cut at " + std::to_string(part));
      expectRefused({"-i", cut, "-y", folder_.path("out.wav")}, "cut");
      std::filesystem::remove(cut);
    }
  }
}

}  // namespace
