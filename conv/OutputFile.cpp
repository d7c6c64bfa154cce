#include "OutputFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <random>
#include <string_view>

#include "ConvError.h"

namespace {

// The one temporary file of the run, for the signal handler to remove.
char gPendingPath[4096];
sigset_t gCaughtSignals;

// Every signal that ends the process by default and can be caught. SIGPIPE
// is not among them: the run ignores it and goes on when no one reads the log.
constexpr std::array kEndingSignals = {
    SIGHUP,  SIGINT,  SIGQUIT, SIGILL,  SIGTRAP, SIGABRT,   SIGBUS,  SIGFPE, SIGUSR1, SIGSEGV,
    SIGUSR2, SIGALRM, SIGTERM, SIGXCPU, SIGXFSZ, SIGVTALRM, SIGPROF, SIGIO,  SIGSYS,
#ifdef SIGSTKFLT
    SIGSTKFLT,
#endif
#ifdef SIGPWR
    SIGPWR,
#endif
};

void removePendingAndDie(int signal) {
  if (gPendingPath[0]) ::unlink(gPendingPath);
  std::signal(signal, SIG_DFL);
  std::raise(signal);
}

// A signal the run was started with ignored stays ignored: it ends nothing.
void catchIfFatal(int signal) {
  struct sigaction former {};
  if (::sigaction(signal, nullptr, &former) != 0 || former.sa_handler != SIG_DFL) return;
  struct sigaction cleanup {};
  cleanup.sa_handler = removePendingAndDie;
  sigemptyset(&cleanup.sa_mask);
  if (::sigaction(signal, &cleanup, nullptr) == 0) sigaddset(&gCaughtSignals, signal);
}

sigset_t endingSignals() {
  sigset_t set;
  sigemptyset(&set);
  for (int signal : kEndingSignals) sigaddset(&set, signal);
  for (int signal = SIGRTMIN; signal <= SIGRTMAX; ++signal) sigaddset(&set, signal);
  return set;
}

void setPending(const std::string& path) {
  if (path.size() >= sizeof gPendingPath) return;
  std::memcpy(gPendingPath, path.c_str(), path.size() + 1);
  sigemptyset(&gCaughtSignals);
  const sigset_t ending = endingSignals();
  for (int signal = 1; signal < NSIG; ++signal)
    if (sigismember(&ending, signal) == 1) catchIfFatal(signal);
}

void clearPending() {
  for (int signal = 1; signal < NSIG; ++signal)
    if (sigismember(&gCaughtSignals, signal) == 1) std::signal(signal, SIG_DFL);
  sigemptyset(&gCaughtSignals);
  gPendingPath[0] = 0;
}

std::string folderOf(const std::string& path) {
  const std::filesystem::path folder = std::filesystem::path(path).parent_path();
  return folder.empty() ? "." : folder.string();
}

// ".<name>.conv-XXXXXX" beside the output. Where the folder's limit on name
// length would not hold that, the part taken from the name is shortened, by
// whole UTF-8 characters.
std::string temporaryPattern(const std::filesystem::path& target) {
  constexpr std::string_view kSuffix = ".conv-XXXXXX";
  const std::filesystem::path folder = target.parent_path();
  long nameMax = ::pathconf(folderOf(target).c_str(), _PC_NAME_MAX);
  if (nameMax <= 0) nameMax = 255;
  const size_t room = size_t(std::max<long>(nameMax - 1 - long(kSuffix.size()), 0));
  std::string name = target.filename().string();
  if (name.size() > room) {
    size_t cut = room;
    while (cut > 0 && (static_cast<unsigned char>(name[cut]) & 0xC0) == 0x80) --cut;
    name.resize(cut);
  }
  return (folder / ("." + name + std::string(kSuffix))).string();
}

// The name through which the kernel reaches an open file, even one without a
// name of its own.
std::string procPathOf(const Descriptor& fd) { return "/proc/self/fd/" + std::to_string(fd.get()); }

// A file without a name in the folder, or -1 where the file system has no
// such files (or the descriptor could not be linked to a name later, through
// /proc).
Descriptor openUnnamed(const std::string& folder) {
  Descriptor fd(::open(folder.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0666));
  struct stat linkable {};
  if (fd.get() >= 0 && ::stat(procPathOf(fd).c_str(), &linkable) != 0) return Descriptor();
  return fd;
}

// The pattern's closing Xs made random letters and digits, as mkstemp does.
std::string withRandomEnd(std::string pattern) {
  static constexpr std::string_view kSigns =
      "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
  std::random_device random;
  for (size_t i = pattern.find_last_not_of('X') + 1; i < pattern.size(); ++i)
    pattern[i] = kSigns[random() % kSigns.size()];
  return pattern;
}

// Where a symlink stands at the path, the file it leads to (which need not
// exist yet), found as the kernel would: a relative target from the link's
// folder, through as many links as the kernel follows.
std::string linkEnd(const std::string& outputPath) {
  constexpr int kMostLinks = 40;
  std::filesystem::path path = outputPath;
  for (int followed = 0; followed <= kMostLinks; ++followed) {
    std::error_code error;
    const std::filesystem::path target = std::filesystem::read_symlink(path, error);
    if (error) return path.string();  // not a link
    path = std::filesystem::path(folderOf(path.string())) / target;  // an absolute target stays
  }
  throw systemError("cannot write the output '" + outputPath + "'", ELOOP);
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
  // The data replace the file rather than write into it, which its folder's
  // permission alone would allow: the file's own is asked, as writing it would.
  if (::faccessat(AT_FDCWD, outputPath.c_str(), W_OK, AT_EACCESS) != 0) {
    int error = errno;
    throw systemError("cannot write the output '" + outputPath + "'", error);
  }
}

TempOutput::TempOutput(const std::string& outputPath, Kind kind)
    : outputPath_(outputPath), targetPath_(linkEnd(outputPath)) {
  if (kind == Kind::UnnamedWherePossible) fd_ = openUnnamed(folderOf(targetPath_));
  if (fd_.get() < 0) openNamed();
}

void TempOutput::openNamed() {
  std::string pattern = temporaryPattern(targetPath_);
  // Held until the handlers are in place, so no signal finds the file unguarded.
  const sigset_t ending = endingSignals();
  sigset_t former;
  pthread_sigmask(SIG_BLOCK, &ending, &former);
  fd_ = Descriptor(::mkostemp(pattern.data(), O_CLOEXEC));
  int error = errno;
  if (fd_.get() >= 0) setPending(pattern);
  pthread_sigmask(SIG_SETMASK, &former, nullptr);
  if (fd_.get() < 0)
    throw systemError("cannot write in the output folder of '" + outputPath_ + "'", error);
  ::fchmod(fd_.get(), newFileMode());
  namedPath_ = pattern;
}

TempOutput::~TempOutput() {
  if (committed_ || namedPath_.empty()) return;  // an unnamed file goes with its descriptor
  ::unlink(namedPath_.c_str());
  clearPending();
}

void TempOutput::commit() {
  keepFormerMode();
  checkWritten();
  if (namedPath_.empty()) nameUnnamed();
  if (std::rename(namedPath_.c_str(), targetPath_.c_str()) != 0) {
    int error = errno;
    ::unlink(namedPath_.c_str());
    clearPending();
    namedPath_.clear();
    throw systemError("cannot put the output in place at '" + outputPath_ + "'", error);
  }
  committed_ = true;
  clearPending();
  syncFolder();
}

// The output replaced keeps its permission bits; a new one has those of any
// new file.
void TempOutput::keepFormerMode() const {
  struct stat former {};
  if (::stat(targetPath_.c_str(), &former) == 0) ::fchmod(fd_.get(), former.st_mode & 0777);
}

// The data reach the disk before they take the output's name, so that a power
// cut leaves the former output or the new one, never an empty file. Some file
// systems (NFS, for one) report a write that failed, a full quota say, only
// when the file is synced or closed: closing a copy of the descriptor asks
// them too.
void TempOutput::checkWritten() const {
  const bool synced = ::fsync(fd_.get()) == 0 || errno == EINVAL;  // EINVAL: nothing to sync
  const int copy = synced ? ::dup(fd_.get()) : -1;
  if (copy < 0 || ::close(copy) != 0) {
    int error = errno;
    throw systemError("writing the output", error);
  }
}

// A link cannot replace a file: the data get a hidden name of their own first,
// which the rename then moves over the output. Signals wait meanwhile, so none
// but SIGKILL can leave that name behind.
void TempOutput::nameUnnamed() {
  const std::string pattern = temporaryPattern(targetPath_);
  const std::string self = procPathOf(fd_);
  const sigset_t ending = endingSignals();
  sigset_t former;
  pthread_sigmask(SIG_BLOCK, &ending, &former);
  int linked = -1, error = 0;
  for (int attempt = 0; attempt < 100 && linked != 0; ++attempt) {
    namedPath_ = withRandomEnd(pattern);
    linked = ::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, namedPath_.c_str(), AT_SYMLINK_FOLLOW);
    error = errno;
    if (linked != 0 && error != EEXIST) break;
  }
  if (linked == 0) setPending(namedPath_);
  pthread_sigmask(SIG_SETMASK, &former, nullptr);
  if (linked != 0) {
    namedPath_.clear();
    throw systemError("cannot put the output in place at '" + outputPath_ + "'", error);
  }
}

// The new name, too, survives a power cut once the run says the output is
// written. The output is in place by then, so a folder that cannot be synced
// fails nothing.
void TempOutput::syncFolder() const {
  const Descriptor folder(
      ::open(folderOf(targetPath_).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (folder.get() >= 0) ::fsync(folder.get());
}
