// The output as the file system has it, for an ordinary user: no permission
// stops root, so a test run as root makes its runs as nobody.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <functional>

#include "ConvRun.h"
#include "OrdinaryUser.h"
#include "ScratchFolder.h"
#include "TestMedia.h"

namespace {

namespace fs = std::filesystem;

// "link to <target>", or the file's mode and whether it still holds "earlier".
std::string describe(const fs::path& entry) {
  if (fs::is_symlink(entry)) return "link to " + fs::read_symlink(entry).string();
  struct stat info {};
  stat(entry.c_str(), &info);
  char mode[8];
  std::snprintf(mode, sizeof mode, "%04o", info.st_mode & 07777);
  return mode + std::string(readFile(entry) == "earlier" ? " earlier" : " converted");
}

void writeEarlier(const std::string& path, mode_t mode) {
  writeFile(path, "earlier");
  chmod(path.c_str(), mode);
}

struct OutputCase {
  const char* name;
  std::function<void(const ScratchFolder&)> prepare;  // what lies at "out.mp3" before the run
  int exitCode;
  const char* reason;                             // in the last line
  std::map<std::string, std::string> afterwards;  // every entry but the input, described
};

void PrintTo(const OutputCase& c, std::ostream* out) { *out << c.name; }

const OutputCase kOutputCases[] = {
    {"ReadOnlyIsRefusedAndKept",
     [](const ScratchFolder& f) { writeEarlier(f.path("out.mp3"), 0444); }, 1,
     "Permission denied", {{"out.mp3", "0444 earlier"}}},
    {"ReplacedKeepsItsMode",
     [](const ScratchFolder& f) { writeEarlier(f.path("out.mp3"), 0640); }, 0, "",
     {{"out.mp3", "0640 converted"}}},
    {"SymlinkIsWrittenThrough",
     [](const ScratchFolder& f) {
       writeEarlier(f.path("real.mp3"), 0600);
       fs::create_symlink("real.mp3", f.path("out.mp3"));
     },
     0, "", {{"out.mp3", "link to real.mp3"}, {"real.mp3", "0600 converted"}}},
    {"DanglingSymlinkGetsItsTarget",
     [](const ScratchFolder& f) { fs::create_symlink("made.mp3", f.path("out.mp3")); }, 0, "",
     {{"out.mp3", "link to made.mp3"}, {"made.mp3", "0644 converted"}}},
};

class ConvOutputFile : public testing::TestWithParam<OutputCase> {};

TEST_P(ConvOutputFile, IsWhatTheFileSystemAllows) {
  const OutputCase& c = GetParam();
  ScratchFolder folder;
  writeMedia(folder.path("in.wav"), {.seconds = 1});
  c.prepare(folder);
  OrdinaryUser::own(QString::fromStdString(folder.root));
  for (const auto& entry : fs::directory_iterator(folder.root))
    OrdinaryUser::own(QString::fromStdString(entry.path()));
  ConvProcess process;
  {
    OrdinaryUser ordinary;
    if (!OrdinaryUser::inEffect()) GTEST_SKIP() << "cannot run the transcoder as an ordinary user";
    const mode_t formerMask = umask(022);
    process = startConv({"-i", folder.path("in.wav"), "-y", folder.path("out.mp3")});
    umask(formerMask);
  }
  const ConvResult result = finishConv(process);
  EXPECT_EQ(result.exitCode, c.exitCode) << result.log;
  EXPECT_NE(result.lastLine().find(c.reason), std::string::npos) << result.log;
  std::map<std::string, std::string> afterwards;
  for (const auto& entry : fs::directory_iterator(folder.root))
    if (entry.path().filename() != "in.wav") afterwards[entry.path().filename()] = describe(entry);
  EXPECT_EQ(afterwards, c.afterwards);
}

INSTANTIATE_TEST_SUITE_P(Cases, ConvOutputFile, testing::ValuesIn(kOutputCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
