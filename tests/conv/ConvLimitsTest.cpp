// The run at the edges of what the system allows: memory whatever the rate
// ratio, rates and lengths at an encoder's edge, names as long as the folder
// takes, and signals or a file size limit that end it midway.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <unistd.h>

#include <csignal>
#include <cstring>
#include <fstream>
#include <functional>

#include "ConvError.h"
#include "ConvRun.h"
#include "LibavLog.h"
#include "LibavPtr.h"
#include "MemoryLimits.h"
#include "OutputFile.h"
#include "ScratchFolder.h"
#include "TestMedia.h"
#include "../common/FailingWrites.h"

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

std::string bigEndian32(uint32_t value) {
  std::string out = littleEndianBytes(value, 4);
  return {out.rbegin(), out.rend()};
}

// RIFF, WAVE and a 16-bit stereo "fmt " chunk at the given rate.
std::string wavStart(uint32_t riffSize, uint32_t rate) {
  return "RIFF" + littleEndianBytes(riffSize, 4) + "WAVE" + pcmFormatChunk(rate);
}

// 120 bytes whose tag list claims 2 GB, for one title.
void writeHugeTagList(const std::string& path) {
  std::string bytes = wavStart(112, 44100) + "LIST" + littleEndianBytes(0x80000000, 4) + "INFO" +
                      "INAM" + littleEndianBytes(0x7FFFFFF0, 4);
  writeFile(path, bytes + std::string(120 - bytes.size(), 'x'));
}

// One second of AAC whose sample tables claim 80,000,000 samples in one chunk.
void writeHugeSampleTable(const std::string& path) {
  writeMedia(path, {.muxer = "ipod", .audioCodec = "aac", .seconds = 1});
  std::string bytes = readFile(path);
  const size_t sizes = bytes.find("stsz"), chunks = bytes.find("stsc");
  bytes.replace(sizes + 8, 8, bigEndian32(1) + bigEndian32(80'000'000));  // all of size 1
  bytes.replace(chunks + 16, 4, bigEndian32(80'000'000));                 // samples in chunk 1
  writeFile(path, bytes);
}

// Over 4 GiB (sparse), so its data size has wrapped, and a sample rate of 0.
void writeWrappedRatelessWav(const std::string& path) {
  const uint64_t dataBytes = (uint64_t(1) << 32) + 1'000'000;
  writeFile(path, wavStart(uint32_t(dataBytes + 36), 0) + "data" + littleEndianBytes(dataBytes, 4));
  ASSERT_EQ(truncate(path.c_str(), off_t(44 + dataBytes)), 0);
}

// One second of audio after a 40 MB title tag that is a hole in the file: the
// reader cannot have the tag's memory, says so, and goes on to the audio.
void writeWavWithHollowTag(const std::string& path) {
  const uint32_t tagBytes = 40 << 20;
  const std::string list = "LIST" + littleEndianBytes(12 + tagBytes, 4) + "INFO" + "INAM" +
                           littleEndianBytes(tagBytes, 4);
  const std::string audio(176400, '\0');
  const std::string data = "data" + littleEndianBytes(audio.size(), 4) + audio;
  std::ofstream out(path, std::ios::binary);
  out << wavStart(uint32_t(28 + list.size() + tagBytes + data.size()), 44100) << list;
  out.seekp(tagBytes, std::ios::cur);
  out << data;
}

// Silent AAC at 96 kHz, one encoded frame muxed over and over: hours of it in a
// second or two, each frame a few bytes, so the reader's index of it outgrows
// what the file's size suggests.
void writeSilentM4a(const std::string& path, int64_t frames) {
  const AVCodec* codec = avcodec_find_encoder_by_name("aac");
  libav::CodecPtr encoder(avcodec_alloc_context3(codec));
  encoder->sample_rate = 96000;
  encoder->time_base = {1, 96000};
  encoder->sample_fmt = AV_SAMPLE_FMT_FLTP;
  encoder->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
  av_channel_layout_default(&encoder->ch_layout, 1);
  ASSERT_EQ(avcodec_open2(encoder.get(), codec, nullptr), 0);
  libav::FramePtr silence = libav::makeFrame();
  silence->format = encoder->sample_fmt;
  silence->nb_samples = encoder->frame_size;
  av_channel_layout_copy(&silence->ch_layout, &encoder->ch_layout);
  ASSERT_EQ(av_frame_get_buffer(silence.get(), 0), 0);
  av_samples_set_silence(silence->data, 0, silence->nb_samples, 1, AV_SAMPLE_FMT_FLTP);
  libav::PacketPtr packet = libav::makePacket();
  while (avcodec_receive_packet(encoder.get(), packet.get()) != 0)
    ASSERT_EQ(avcodec_send_frame(encoder.get(), silence.get()), 0);

  AVFormatContext* raw = nullptr;
  ASSERT_GE(avformat_alloc_output_context2(&raw, nullptr, "ipod", path.c_str()), 0);
  libav::OutputPtr muxer(raw);
  AVStream* stream = avformat_new_stream(raw, nullptr);
  ASSERT_GE(avcodec_parameters_from_context(stream->codecpar, encoder.get()), 0);
  stream->time_base = encoder->time_base;
  ASSERT_GE(avio_open(&raw->pb, path.c_str(), AVIO_FLAG_WRITE), 0);
  ASSERT_GE(avformat_write_header(raw, nullptr), 0);
  for (int64_t i = 0; i < frames; ++i) {
    packet->pts = packet->dts = av_rescale_q(i * 1024, encoder->time_base, stream->time_base);
    packet->duration = av_rescale_q(1024, encoder->time_base, stream->time_base);
    ASSERT_GE(av_write_frame(raw, packet.get()), 0);
  }
  ASSERT_GE(av_write_trailer(raw), 0);
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

// A file earns memory by the bytes it really holds: a sparse one, or a header's
// claim, earns none; past a fixed allowance, a few bytes for each byte held.
TEST(ConvMemoryBound, GrowsWithTheBytesOnDiskOnly) {
  ScratchFolder folder;
  const std::string sparse = folder.path("sparse.wav"), dense = folder.path("dense.wav");
  writeFile(sparse, wavStart(0xFFFFFFFF, 44100));
  ASSERT_EQ(truncate(sparse.c_str(), off_t(1) << 30), 0);
  writeFile(dense, std::string(1 << 20, 'x'));
  const MemoryBound fixed = memoryBoundFor(0);
  EXPECT_LT(fixed.dataSegment, uint64_t(100) << 20);
  EXPECT_LT(memoryBoundFor(bytesOnDisk(sparse)).dataSegment, fixed.dataSegment + (1 << 20));
  EXPECT_GE(bytesOnDisk(dense), uint64_t(1) << 20);
  const uint64_t gigabyte = uint64_t(1) << 30;
  for (uint64_t bytes : {gigabyte, 700 * gigabyte}) {
    SCOPED_TRACE(bytes);
    const MemoryBound bound = memoryBoundFor(bytes);
    EXPECT_GE(bound.dataSegment - fixed.dataSegment, 4 * bytes);
    EXPECT_LE(bound.dataSegment - fixed.dataSegment, 10 * bytes);
    EXPECT_GE(bound.largestAllocation - fixed.largestAllocation, 4 * bytes);
  }
  EXPECT_GE(memoryBoundFor(~uint64_t(0)).dataSegment, memoryBoundFor(700 * gigabyte).dataSegment);
}

// 1.5 million frames, over four hours: the reader's index of them is larger than
// the former bound let one allocation be. The second before the end converts.
TEST_F(ConvLimits, ALongFileIsIndexedToItsEnd) {
  const std::string path = folder_.path("long.m4a");
  // Written by a child: the muxer's books of every frame would otherwise raise
  // this process's peak memory, which each run it starts inherits as its own.
  const pid_t writer = fork();
  if (writer == 0) {
    writeSilentM4a(path, 1'500'000);
    _exit(testing::Test::HasFailure() ? 1 : 0);
  }
  int status = 0;
  ASSERT_EQ(waitpid(writer, &status, 0), writer);
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  const double seconds = 1'500'000 * 1024 / 96000.0;
  ConvResult run = runConv({"-i", path, "-y", "-ss", std::to_string(seconds - 2), "-t", "1",
                            folder_.path("end.wav")});
  EXPECT_EQ(run.exitCode, 0) << run.log;
  EXPECT_NE(run.lastLine().find("time=1.00 "), std::string::npos) << run.log;
}

// Headers claiming sizes that make the libraries allocate gigabytes: the run
// is refused within the bound, mostly for the memory it would need.
TEST_F(ConvLimits, HeadersClaimingHugeSizesAreRefusedWithinTheMemoryBound) {
  const std::string needsMemory = "needs more memory than an audio file of this kind can justify";
  const struct {
    const char* name;
    std::function<void(const std::string&)> write;
    std::string reason;
  } hostile[] = {
      {"tags.wav", writeHugeTagList, needsMemory},
      {"table.m4a", writeHugeSampleTable, needsMemory},
      {"rate0.wav", writeWrappedRatelessWav, "Invalid sample rate: 0"},
  };
  for (const auto& file : hostile) {
    SCOPED_TRACE(file.name);
    const std::string path = folder_.path(file.name);
    file.write(path);
    ConvResult run = runConv({"-i", path, "-y", output_}, 20);
    EXPECT_EQ(run.exitCode, 1) << run.log;
    EXPECT_LT(run.peakKiB, 100 * 1024);
    EXPECT_NE(run.lastLine().find(file.reason), std::string::npos) << run.log;
    std::filesystem::remove(path);
  }
}

// A failing call is told by what libav said during it: the memory refusal only
// when it lacked memory itself, and no line or piece of one from an earlier call.
TEST(ConvFailureReason, IsTheFailingCallsOwn) {
  keepLibavErrors();
  const struct {
    std::vector<const char*> before;  // said by an earlier call that went well
    std::vector<const char*> during;  // said by the failing call
    int code;
    std::string reason;  // empty: the memory refusal
  } cases[] = {
      {{"out of memory, unable to read INFO tag\n"}, {}, AVERROR(ENOSPC), "writing: No space left on device"},
      {{"Header missing\n"}, {}, AVERROR(EIO), "writing: Input/output error"},
      {{"Header missing\n"}, {"max resync size reached\n"}, AVERROR_INVALIDDATA, "writing: max resync size reached"},
      {{"Packet corrupt "}, {"Broken pipe\n"}, AVERROR(EPIPE), "writing: Broken pipe"},
      {{}, {}, AVERROR(ENOMEM), ""},
      {{}, {"out of memory, unable to read INFO tag\n", "no 'data' tag found\n"}, AVERROR_INVALIDDATA, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.reason);
    for (const char* line : c.before) av_log(nullptr, AV_LOG_ERROR, "%s", line);
    checkAv(0, "earlier");
    for (const char* line : c.during) av_log(nullptr, AV_LOG_ERROR, "%s", line);
    try {
      checkAv(c.code, "writing");
      ADD_FAILURE() << "no failure";
    } catch (const ConvError& error) {
      EXPECT_EQ(error.what(), c.reason);
    } catch (const std::bad_alloc&) {
      EXPECT_EQ(c.reason, "");
    }
  }
  av_log_set_callback(av_log_default_callback);
}

// The reader's memory line, long before the output fails, is not the reason.
TEST_F(ConvLimits, AnOutputFailingAfterAReaderLackedMemoryGivesItsOwnReason) {
  writeWavWithHollowTag(input_);
  ASSERT_EQ(runConv({"-i", input_, "-y", output_}).exitCode, 0);
  FailingWrites full;
  ConvResult run = runConv({"-i", input_, "-y", output_});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(run.lastLine().find("File too large"), std::string::npos) << run.log;
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

// Ended midway, after its first progress line, the run leaves the folder as
// it found it: the earlier output whole, and nothing beside it. Encoding 100
// seconds to AAC takes over a second of processor time, and the first line
// comes half a second in.
TEST_P(ConvEndingSignals, LeaveTheFolderAsItWas) {
  const std::string input = folder_.path("long.wav");
  writeMedia(input, {.seconds = 100});
  ScratchFolder outputs;
  const std::string output = outputs.path("out.aac");
  writeFile(output, "earlier");
  const auto before = outputs.contents();
  // Several of these signals dump core by default; no core file is wanted.
  ConvProcess process = startConvLimited(RLIMIT_CORE, 0, {"-i", input, "-y", output});
  ASSERT_NE(readLogUntil(process, "time=").find("time="), std::string::npos);
  kill(process.pid, GetParam());
  EXPECT_EQ(finishConv(process).exitCode, -1);
  EXPECT_EQ(outputs.contents(), before);
}

INSTANTIATE_TEST_SUITE_P(Ending, ConvEndingSignals,
                         testing::Values(SIGKILL, SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGUSR1,
                                         SIGUSR2, SIGALRM, SIGXFSZ, SIGXCPU),
                         [](const auto& info) { return std::string(sigabbrev_np(info.param)); });

// Either way of holding the data shows nothing under the output's name until
// it is complete, then replaces the earlier output; dropped, it leaves the
// folder as it was. The named file, kept for file systems without unnamed
// ones, is also removed by a signal that ends the run.
TEST(ConvTempOutput, ReplacesTheOutputOnlyWhenCompleteAndLeavesNothingOtherwise) {
  for (TempOutput::Kind kind : {TempOutput::Kind::UnnamedWherePossible, TempOutput::Kind::Named}) {
    SCOPED_TRACE(kind == TempOutput::Kind::Named ? "named" : "unnamed");
    ScratchFolder folder;
    const std::string output = folder.path("out.mp3");
    writeFile(output, "earlier");
    {
      TempOutput temp(output, kind);
      ASSERT_EQ(write(temp.fd(), "new", 3), 3);
      EXPECT_EQ(folder.fileCount(), kind == TempOutput::Kind::Named ? 2u : 1u);
      EXPECT_EQ(readFile(output), "earlier");
      temp.commit();
    }
    EXPECT_EQ(folder.contents(), (std::map<std::string, std::string>{{"out.mp3", "new"}}));
    {
      TempOutput dropped(output, kind);
      ASSERT_EQ(write(dropped.fd(), "lost", 4), 4);
    }
    const pid_t child = fork();
    if (child == 0) {
      TempOutput killed(output, kind);
      raise(SIGTERM);
      _exit(0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM);
    EXPECT_EQ(folder.contents(), (std::map<std::string, std::string>{{"out.mp3", "new"}}));
  }
}

// A rate above Vorbis's limit, and 100 samples: fewer than the resampler's
// filter takes in before it gives anything out, and than one AMR frame.
TEST_F(ConvLimits, RatesAndLengthsAtAnEncodersEdgeConvert) {
  const std::string fast = folder_.path("fast.wav"), tiny = folder_.path("tiny.wav");
  writeMedia(fast, {.sampleRate = 384000, .seconds = 0.5});
  writeFile(tiny, wavStart(36 + 400, 44100) + "data" + littleEndianBytes(400, 4) + std::string(400, 'x'));
  const struct {
    std::string input, output;
    int sampleRate;
    double seconds;
  } rows[] = {{fast, folder_.path("out.ogg"), 200000, 0.5}, {tiny, folder_.path("out.amr"), 8000, 0.02}};
  for (const auto& row : rows) {
    ConvResult run = runConv({"-i", row.input, "-y", row.output});
    ASSERT_EQ(run.exitCode, 0) << run.log;
    MediaFacts facts = probeMedia(row.output);
    EXPECT_EQ(facts.sampleRate, row.sampleRate);
    EXPECT_NEAR(facts.decodedSeconds, row.seconds, 0.01);
  }
}

TEST_F(ConvLimits, AWritePastTheFileSizeLimitFailsLeavingNothing) {
  ConvProcess process =
      startConvLimited(RLIMIT_FSIZE, 64 * 1024, {"-i", input_, "-y", "-ar", "44100", output_});
  EXPECT_NE(finishConv(process).exitCode, 0);
  EXPECT_EQ(folder_.fileCount(), 1u);
}

}  // namespace
