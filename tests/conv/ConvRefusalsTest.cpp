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

// A file's bits flipped through its middle: the decoder drops whole frames,
// though the last ones arrive at their time.
TEST_F(ConvRefusals, FlacWithFlippedBitsIsRefused) {
  const std::string flac = folder_.path("flipped.flac");
  writeMedia(flac, {.muxer = "flac", .audioCodec = "flac", .seconds = 10});
  std::string bytes = readFile(flac);
  for (size_t i = 1; i <= 100; ++i) {
    const size_t bit = bytes.size() * 8 * (20 + i * 60 / 100) / 100 + i * 7;
    bytes[bit / 8] ^= char(1 << (bit % 8));
  }
  writeFile(flac, bytes);
  expectRefused({"-i", flac, "-y", output_}, "adds up to");
}

// A length that ASF or FLV states for the whole file is not the audio's when
// the video runs on after it: such a whole file converts.
TEST_F(ConvRefusals, AWholeFileWhoseVideoOutlastsItsAudioConverts) {
  const std::pair<const char*, MediaRecipe> files[] = {
      {"long.wmv", {.muxer = "asf", .audioCodec = "wmav2", .withVideo = true, .seconds = 4,
                    .videoSeconds = 6}},
      {"long.flv", {.muxer = "flv", .audioCodec = "aac", .withVideo = true, .seconds = 4,
                    .videoSeconds = 6, .videoCodec = "flv"}}};
  for (const auto& [name, recipe] : files) {
    writeMedia(folder_.path(name), recipe);
    ConvResult run = runConv({"-i", folder_.path(name), "-y", output_});
    EXPECT_EQ(run.exitCode, 0) << name << ": " << run.log;
  }
}

// Containers that state their length, some on the container rather than on
// the stream, each with an audio codec it commonly carries: the whole file
// converts (also where the video runs on after the audio); cut in half or
// with its middle zeroed, it is refused.
struct Container {
  const char* extension;
  MediaRecipe recipe;
};
void PrintTo(const Container& c, std::ostream* out) { *out << c.extension; }

class ConvDamagedContainers : public ConvRefusals, public testing::WithParamInterface<Container> {
 protected:
  std::string damaged(const std::string& name, const std::string& bytes) {
    const std::string path = folder_.path(name + GetParam().extension);
    writeFile(path, bytes);
    return path;
  }
};

TEST_P(ConvDamagedContainers, WholeConvertsHalfOrHoledIsRefused) {
  const std::string whole = folder_.path(std::string("whole") + GetParam().extension);
  writeMedia(whole, GetParam().recipe);
  ConvResult run = runConv({"-i", whole, "-y", output_});
  ASSERT_EQ(run.exitCode, 0) << run.log;
  std::filesystem::remove(output_);

  const std::string bytes = readFile(whole);
  expectRefused({"-i", damaged("half", bytes.substr(0, bytes.size() / 2)), "-y", output_}, "half");
  std::string holed = bytes;
  std::fill(holed.begin() + holed.size() * 3 / 10, holed.begin() + holed.size() * 6 / 10, '\0');
  expectRefused({"-i", damaged("holed", holed), "-y", output_}, "truncated or damaged");
}

INSTANTIATE_TEST_SUITE_P(
    Containers, ConvDamagedContainers,
    testing::Values(
        Container{".mkv", {.muxer = "matroska", .audioCodec = "aac", .withVideo = true, .seconds = 4,
                           .videoSeconds = 6}},
        Container{".webm", {.muxer = "webm", .audioCodec = "libvorbis", .seconds = 4}},
        Container{".avi", {.muxer = "avi", .audioCodec = "ac3", .withVideo = true, .seconds = 4}},
        Container{".asf", {.muxer = "asf", .audioCodec = "wmav2", .seconds = 4}},
        Container{".m4a", {.muxer = "ipod", .audioCodec = "aac", .seconds = 4}},
        Container{".flac", {.muxer = "flac", .audioCodec = "flac", .seconds = 4}}));

}  // namespace
