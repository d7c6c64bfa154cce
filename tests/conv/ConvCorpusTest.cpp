// One file of each kind people have, made here, through the built transcoder:
// every whole file converts to all eight formats, as long as its decoded
// audio; a file cut in half, holed or with bits flipped keeps what it holds
// and says it is incomplete (status 2), or writes nothing (status 1). A real
// gap in the audio's timeline is reported as incomplete too: it is true.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <limits>

#include "ConvRun.h"
#include "ScratchFolder.h"
#include "TestMedia.h"

namespace {

enum Damage : unsigned { kHalf = 1, kHoled = 2, kFlipped = 4 };

struct Kind {
  const char* name;  // the file's name, whose extension tells its kind
  MediaRecipe recipe;
  unsigned damages = kHalf | kHoled;  // those a reader can tell: zeroed PCM is only silence
  bool whole = true;                  // false: its audio has a real gap
  std::function<void(std::string& bytes)> patch = nullptr;  // what no muxer here writes
};
void PrintTo(const Kind& kind, std::ostream* out) { *out << kind.name; }

// The sizes a writer that cannot seek back leaves in a WAV header.
std::function<void(std::string&)> wavSizes(uint32_t riff, uint32_t data) {
  return [riff, data](std::string& bytes) {
    bytes.replace(4, 4, littleEndianBytes(riff, 4));
    bytes.replace(bytes.find("data") + 4, 4, littleEndianBytes(data, 4));
  };
}

// Values no encoder takes, in the first channel of a stereo float WAV's data.
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

// Muxers here tag each Matroska track with its length; some writers do not.
void withoutLengthTags(std::string& bytes) {
  for (size_t at = 0; (at = bytes.find("DURATION", at)) != std::string::npos;) bytes[at] = 'X';
}

// A second recording after the first, at a higher rate: a chained Ogg.
void withSecondLink(std::string& bytes) {
  ScratchFolder folder;
  const std::string link = folder.path("link.ogg");
  writeMedia(link, {.muxer = "ogg", .audioCodec = "libvorbis", .sampleRate = 96000, .seconds = 4});
  bytes += readFile(link);
}

const char* const kOutputExtensions[] = {".mp3", ".wma", ".ogg", ".wav", ".flac", ".ac3", ".aac", ".amr"};

std::string damaged(const std::string& bytes, Damage damage) {
  std::string result = bytes;
  if (damage == kHalf) return result.substr(0, result.size() / 2);
  if (damage == kHoled) {
    std::fill(result.begin() + result.size() * 3 / 10, result.begin() + result.size() * 6 / 10, '\0');
    return result;
  }
  for (size_t i = 1; i <= 100; ++i) {  // bits through its middle: whole frames are lost
    const size_t bit = result.size() * 8 * (20 + i * 60 / 100) / 100 + i * 7;
    result[bit / 8] ^= char(1 << (bit % 8));
  }
  return result;
}

class ConvCorpus : public testing::TestWithParam<Kind> {
 protected:
  // Exit 2 with the output kept and its last line saying so.
  void expectIncomplete(const ConvResult& run, const std::string& output) {
    ASSERT_EQ(run.exitCode, 2) << run.log;
    EXPECT_TRUE(std::filesystem::exists(output));
    EXPECT_EQ(run.lastLine().rfind("'" + output + "' is incomplete: its audio ", 0), 0u) << run.log;
  }
  // Or exit 1 with nothing written; never passed off as whole.
  void expectIncompleteOrNothing(const ConvResult& run, const std::string& output) {
    if (run.exitCode == 1) {
      EXPECT_FALSE(std::filesystem::exists(output)) << run.log;
    } else {
      expectIncomplete(run, output);
    }
  }

  ScratchFolder folder_;
};

TEST_P(ConvCorpus, ConvertsWholeFilesAndKeepsWhatDamagedOnesHold) {
  const Kind& kind = GetParam();
  const std::string input = folder_.path(kind.name);
  writeMedia(input, kind.recipe);
  std::string bytes = readFile(input);
  if (kind.patch) {
    kind.patch(bytes);
    writeFile(input, bytes);
  }
  const double decoded = probeMedia(input).decodedSeconds;

  std::vector<std::pair<std::string, ConvProcess>> runs;
  for (const char* extension : kOutputExtensions) {
    const std::string output = folder_.path(std::string("out") + extension);
    runs.emplace_back(output, startConv({"-i", input, "-y", output}));
  }
  for (const auto& [output, process] : runs) {
    ConvResult run = finishConv(process);
    SCOPED_TRACE(output);
    if (kind.whole) {
      EXPECT_EQ(run.exitCode, 0) << run.log;
    } else {
      expectIncomplete(run, output);
    }
    if (std::filesystem::exists(output)) {
      EXPECT_NEAR(probeMedia(output).decodedSeconds, decoded, 0.1);
    }
  }

  for (Damage damage : {kHalf, kHoled, kFlipped}) {
    if (!(kind.damages & damage)) continue;
    SCOPED_TRACE("damage " + std::to_string(damage));
    const std::string broken = folder_.path("broken-" + std::string(kind.name));
    const std::string output = folder_.path("broken.wav");
    writeFile(broken, damaged(bytes, damage));
    expectIncompleteOrNothing(runConv({"-i", broken, "-y", output}), output);
    std::filesystem::remove(output);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, ConvCorpus,
    testing::Values(
        Kind{"pcm.wav", {.seconds = 4}, kHalf},
        Kind{"pcm.w64", {.muxer = "w64", .seconds = 4}, kHalf},
        // Blocks of ADPCM carry headers: their bytes are no count of samples.
        Kind{"ima-adpcm.wav", {.audioCodec = "adpcm_ima_wav", .seconds = 4,
                               .audioOptions = {{"block_size", "32"}}}, kHalf},
        Kind{"ms-adpcm.wav", {.audioCodec = "adpcm_ms", .seconds = 4,
                              .audioOptions = {{"block_size", "32"}}}, kHalf},
        // Written to a pipe: the sizes are left as markers, the length unknown.
        Kind{"piped.wav", {.seconds = 4}, 0, true, wavSizes(0x7FFFF024, 0x7FFFF000)},
        Kind{"recorded.wav", {.seconds = 4}, 0, true, wavSizes(0x7FFFFFFF, 0x7FFFFFFF)},
        Kind{"open-riff.wav", {.seconds = 4}, 0, true, wavSizes(0, 0x40000000)},
        // CAF states its data size as WAV does, or counts its packets in a table.
        Kind{"pcm.caf", {.muxer = "caf", .seconds = 4}, kHalf},
        Kind{"alac.caf", {.muxer = "caf", .audioCodec = "alac", .seconds = 4}, kHalf},
        Kind{"unencodable.wav", {.audioCodec = "pcm_f32le", .seconds = 4}, 0, true,
             putUnencodableSamples<float>},
        Kind{"unencodable64.wav", {.audioCodec = "pcm_f64le", .seconds = 4}, 0, true,
             putUnencodableSamples<double>},
        Kind{"tone.mp3", {.muxer = "mp3", .audioCodec = "libmp3lame", .seconds = 4}, kHalf},
        Kind{"tone.flac", {.muxer = "flac", .audioCodec = "flac", .seconds = 4}, kHalf | kHoled | kFlipped},
        Kind{"tone.m4a", {.muxer = "ipod", .audioCodec = "aac", .seconds = 4}},
        Kind{"gap.m4a", {.muxer = "ipod", .audioCodec = "aac", .seconds = 4, .gapAt = 2}, 0, false},
        Kind{"clip.mp4", {.muxer = "mp4", .audioCodec = "aac", .withVideo = true, .seconds = 4}},
        Kind{"tone.webm", {.muxer = "webm", .audioCodec = "libvorbis", .seconds = 4}},
        Kind{"clip.mkv", {.muxer = "matroska", .audioCodec = "aac", .withVideo = true, .seconds = 4,
                          .videoSeconds = 6}},
        // Subtitles outlast the audio: the file's length is theirs.
        Kind{"subtitled.mka", {.muxer = "matroska", .audioCodec = "libvorbis", .seconds = 4,
                               .subtitleEnd = 10}, 0, true, withoutLengthTags},
        Kind{"clip.avi", {.muxer = "avi", .audioCodec = "ac3", .withVideo = true, .seconds = 4}},
        // Audio placed late: by empty chunks before it, or by its header.
        Kind{"late.avi", {.muxer = "avi", .audioCodec = "libmp3lame", .withVideo = true, .seconds = 4,
                          .videoSeconds = 5, .audioStart = 1}},
        Kind{"offset.avi", {.muxer = "avi", .audioCodec = "ac3", .withVideo = true, .seconds = 4},
             kHalf | kHoled, true, [](std::string& bytes) { setAviAudioStart(bytes, 1.5); }},
        Kind{"chained.ogg", {.muxer = "ogg", .audioCodec = "libvorbis", .channels = 1, .seconds = 4}, 0,
             true, withSecondLink},
        // Its reader reports an error on reading past the last chunk.
        Kind{"tone.aud", {.muxer = "wsaud", .audioCodec = "adpcm_ima_ws", .sampleRate = 22050,
                          .channels = 1, .seconds = 4}, 0},
        Kind{"tone.asf", {.muxer = "asf", .audioCodec = "wmav2", .seconds = 4}},
        // The length ASF or FLV states is the whole file's, here the video's.
        Kind{"long.wmv", {.muxer = "asf", .audioCodec = "wmav2", .withVideo = true, .seconds = 4,
                          .videoSeconds = 6}, 0},
        Kind{"long.flv", {.muxer = "flv", .audioCodec = "aac", .withVideo = true, .seconds = 4,
                          .videoSeconds = 6, .videoCodec = "flv"}, 0}),
    [](const auto& info) { return asTestName(info.param.name); });

}  // namespace
