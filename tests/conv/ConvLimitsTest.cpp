// The run at the edges of what the system allows: memory whatever the rate
// ratio, names as long as the folder takes, and signals or a file size limit
// that end it midway.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <cstring>
#include <thread>

#include "ConvRun.h"
#include "ScratchFolder.h"
#include "TestMedia.h"

namespace {

// 1024 samples at 1 Hz: at 44.1 kHz each one becomes 44100, some 17 minutes
// of output from a 2 KB file.
const MediaRecipe kOneHertz{.sampleRate = 1, .channels = 1, .seconds = 1024};
constexpr double kOneHertzSeconds = 1024;

// Starts a run under a lowered limit of the test's own, which the run inherits;
// the test writes nothing meanwhile.
ConvProcess startConvLimited(int resource, rlim_t limit,
                             const std::vector<std::string>& args) {
  rlimit former{};
  getrlimit(resource, &former);
  rlimit lowered = former;
  lowered.rlim_cur = limit;
  setrlimit(resource, &lowered);
  ConvProcess process = startConv(args);
  setrlimit(resource, &former);
  return process;
}

class ConvLimits : public testing::Test {
 protected:
  void SetUp() override { writeMedia(input_, kOneHertz); }

  ScratchFolder folder_;
  const std::string input_ = folder_.path("slow.wav");
  const std::string output_ = folder_.path("out.mp3");
};

TEST_F(ConvLimits, MemoryStaysSmallWhateverTheRateRatio) {
  for (const char* extension : {".mp3", ".ac3"}) {
    SCOPED_TRACE(extension);
    const std::string output = folder_.path(std::string("out") + extension);
    ConvResult run = runConv({"-i", input_, "-y", "-ar", "44100", output});
    ASSERT_EQ(run.exitCode, 0) << run.log;
    EXPECT_LT(run.peakKiB, 100 * 1024);
    EXPECT_NE(run.lastLine().find("time=1024.00 "), std::string::npos) << run.log;
    MediaFacts facts = probeMedia(output);
    EXPECT_EQ(facts.sampleRate, 44100);
    // MP3 stores its padding and decodes to the sample; AC3 ends on a whole frame.
    EXPECT_NEAR(facts.decodedSeconds, kOneHertzSeconds, extension == std::string(".mp3") ? 0 : 0.05);
  }
  // Coming down from a rate far above, it is the resampler's filter that grows.
  const std::string fast = folder_.path("fast.wav");
  writeMedia(fast, {.sampleRate = 1'000'000'000, .channels = 1, .seconds = 1e-4});
  ConvResult down = runConv({"-i", fast, "-y", "-ar", "44100", output_});
  EXPECT_EQ(down.exitCode, 0) << down.log;
  EXPECT_LT(down.peakKiB, 100 * 1024);
}

TEST_F(ConvLimits, EveryNameTheFolderTakesConverts) {
  writeMedia(input_, {.seconds = 1});
  std::string longName = "a";
  while (longName.size() < 244) longName += "\xC3\xA9";  // é, two bytes
  longName += "b.mp3";
  ASSERT_EQ(longName.size(), 250u);
  // ".mp3" alone is what an input named ".hidden.wav" becomes.
  for (const std::string& name : {longName, std::string(".mp3")}) {
    ConvResult run = runConv({"-i", input_, "-y", folder_.path(name)});
    EXPECT_EQ(run.exitCode, 0) << run.log;
    EXPECT_TRUE(std::filesystem::exists(folder_.path(name)));
  }
  EXPECT_EQ(folder_.fileCount(), 3u) << "the input and the two outputs, nothing else";
}

class ConvEndingSignals : public ConvLimits, public testing::WithParamInterface<int> {};

TEST_P(ConvEndingSignals, LeaveNothingBehind) {
  // Several of these signals dump core by default; no core file is wanted.
  ConvProcess process = startConvLimited(RLIMIT_CORE, 0, {"-i", input_, "-y", "-ar", "44100", output_});
  for (int wait = 0; wait < 1000 && folder_.fileCount() < 2; ++wait)
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  ASSERT_EQ(folder_.fileCount(), 2u) << "the input and the temporary output";
  kill(process.pid, GetParam());
  EXPECT_EQ(finishConv(process).exitCode, -1);
  EXPECT_EQ(folder_.fileCount(), 1u);
}

INSTANTIATE_TEST_SUITE_P(Caught, ConvEndingSignals,
                         testing::Values(SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGUSR1, SIGUSR2, SIGALRM,
                                         SIGXFSZ, SIGXCPU),
                         [](const auto& info) { return std::string(sigabbrev_np(info.param)); });

TEST_F(ConvLimits, AWritePastTheFileSizeLimitFailsLeavingNothing) {
  ConvProcess process =
      startConvLimited(RLIMIT_FSIZE, 64 * 1024, {"-i", input_, "-y", "-ar", "44100", output_});
  EXPECT_NE(finishConv(process).exitCode, 0);
  EXPECT_EQ(folder_.fileCount(), 1u);
}

}  // namespace
