// Runs that must not produce an output: refused files and bad inputs. Each
// ends non-zero with one line of reason, in time, leaving the folder as it was.
#include <gtest/gtest.h>
#include <sys/stat.h>
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

// A file no reader knows is called that, not "Invalid argument" from the
// reader its name pointed to; a file of a known kind that is broken keeps
// libav's own account rather than its error code's text.
TEST_F(ConvRefusals, ReasonsSayWhatIsWrongWithTheFile) {
  const std::string text = folder_.path("words.mp3");
  std::string words;
  for (int line = 0; line < 100; ++line) words += "Not a sound, just a line of text.\n";
  writeFile(text, words);
  expectRefused({"-i", text, "-y", output_}, "'" + text + "' is not an audio or video file that can be read");
  writeFile(folder_.path("nodata.wav"), readFile(input_).substr(0, 36));
  expectRefused({"-i", folder_.path("nodata.wav"), "-y", output_}, "nodata.wav': no 'data' tag found");
}

// Refused at once: reading a pipe would wait for a writer that may never come.
TEST_F(ConvRefusals, InputsThatAreNotRegularFilesAreRefusedAtOnce) {
  const std::string fifo = folder_.path("fifo.wav");
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  expectRefused({"-i", fifo, "-y", output_}, "'" + fifo + "' is not a regular file");
  expectRefused({"-i", folder_.root.string(), "-y", output_}, "is not a regular file");
  expectRefused({"-i", "/dev/zero", "-y", output_}, "is not a regular file");
}

}  // namespace
