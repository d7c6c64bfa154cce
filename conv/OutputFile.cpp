#include "OutputFile.h"

#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "ConvError.h"

namespace {

// The one temporary file of the run, for the signal handler to remove.
char gPendingPath[4096];
constexpr std::array kCleanedSignals = {SIGINT, SIGTERM, SIGHUP};

void removePendingAndDie(int signal) {
  if (gPendingPath[0]) ::unlink(gPendingPath);
  std::signal(signal, SIG_DFL);
  std::raise(signal);
}

void setPending(const std::string& path) {
  if (path.size() >= sizeof gPendingPath) return;
  std::memcpy(gPendingPath, path.c_str(), path.size() + 1);
  for (int signal : kCleanedSignals) std::signal(signal, removePendingAndDie);
}

void clearPending() {
  for (int signal : kCleanedSignals) std::signal(signal, SIG_DFL);
  gPendingPath[0] = 0;
}

mode_t newFileMode() {
  mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

}  // namespace

void checkOutputAllowed(const std::string& inputPath, const std::string& outputPath,
                        bool overwrite) {
  struct stat output {}, input {};
  if (::stat(outputPath.c_str(), &output) != 0) return;  // nothing there to protect
  if (::stat(inputPath.c_str(), &input) == 0 && input.st_dev == output.st_dev &&
      input.st_ino == output.st_ino)
    throw ConvError("output '" + outputPath + "' is the input file itself; refusing to overwrite it");
  if (S_ISDIR(output.st_mode)) throw ConvError("output '" + outputPath + "' is a folder");
  if (!overwrite) throw ConvError("output '" + outputPath + "' already exists (use -y to replace it)");
}

TempOutput::TempOutput(const std::string& outputPath) : outputPath_(outputPath) {
  std::filesystem::path target(outputPath);
  std::string pattern =
      (target.parent_path() / ("." + target.filename().string() + ".conv-XXXXXX")).string();
  int fd = ::mkstemp(pattern.data());
  if (fd < 0) {
    int error = errno;
    throw systemError("cannot write in the output folder of '" + outputPath + "'", error);
  }
  ::fchmod(fd, newFileMode());
  ::close(fd);
  path_ = pattern;
  setPending(path_);
}

TempOutput::~TempOutput() {
  if (committed_) return;
  ::unlink(path_.c_str());
  clearPending();
}

void TempOutput::commit() {
  if (std::rename(path_.c_str(), outputPath_.c_str()) != 0) {
    int error = errno;
    throw systemError("cannot put the output in place at '" + outputPath_ + "'", error);
  }
  committed_ = true;
  clearPending();
}
