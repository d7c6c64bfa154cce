// Inputs whose reader fails part way: what was decoded before the damage is
// converted and kept, and the last line says where reading stopped and why.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "ConvRun.h"
#include "ScratchFolder.h"
#include "TestMedia.h"

namespace {

struct Damaged {
  const char* name;  // the file's name, whose extension tells its kind
  MediaRecipe recipe;
  std::function<void(std::string& bytes)> damage;
};
void PrintTo(const Damaged& kind, std::ostream* out) { *out << kind.name; }

void cutInHalf(std::string& bytes) { bytes.resize(bytes.size() / 2); }

// More zeros than a reader searches through for its next sync mark.
void holed(std::string& bytes) {
  const size_t from = bytes.size() * 3 / 10;
  std::fill(bytes.begin() + from, bytes.begin() + std::min(bytes.size(), from + 100000), '\0');
}

class ConvDamage : public testing::TestWithParam<Damaged> {
 protected:
  ScratchFolder folder_;
};

TEST_P(ConvDamage, KeepsTheAudioBeforeTheDamageAndSaysWhere) {
  const Damaged& kind = GetParam();
  const std::string input = folder_.path(kind.name);
  const std::string output = folder_.path("out.wav");
  writeMedia(input, kind.recipe);
  std::string bytes = readFile(input);
  kind.damage(bytes);
  writeFile(input, bytes);

  const ConvResult run = runConv({"-i", input, "-y", output});
  ASSERT_EQ(run.exitCode, 2) << run.log;
  const std::string opening = "'" + input + "' is damaged at ";
  const std::string line = run.lastLine();
  ASSERT_EQ(line.rfind(opening, 0), 0u) << run.log;
  const double where = std::stod(line.substr(opening.size()));
  EXPECT_GT(where, 0.5);
  EXPECT_LT(where, kind.recipe.seconds - 0.5);
  EXPECT_NEAR(probeMedia(output).decodedSeconds, where, 0.1);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, ConvDamage,
    testing::Values(
        // Its reader fails with an I/O error where the file stops.
        Damaged{"half.wv", {.muxer = "wv", .audioCodec = "wavpack", .seconds = 4}, cutInHalf},
        Damaged{"holed.ts", {.muxer = "mpegts", .audioCodec = "mp2", .seconds = 8}, holed},
        // Damaged pages fail their checksum while the reader hunts for one.
        Damaged{"holed.oga", {.muxer = "ogg", .audioCodec = "flac", .seconds = 8}, holed}),
    [](const auto& info) { return asTestName(info.param.name); });

}  // namespace
