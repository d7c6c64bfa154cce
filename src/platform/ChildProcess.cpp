#include "platform/ChildProcess.h"

#include "platform/CommandLineSplit.h"
#include "platform/NameBytes.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/ioctl.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>
#include <utility>

extern char** environ;

namespace platform {
namespace {

// The descriptor itself when it lies above the standard ones, else a copy
// that does (the original closed); -1 with errno set when none can be made.
int moveAboveStandard(int fd) {
  if (fd < 0 || fd > STDERR_FILENO) return fd;
  const int moved = ::fcntl(fd, F_DUPFD_CLOEXEC, STDERR_FILENO + 1);
  const int error = errno;
  ::close(fd);
  errno = error;
  return moved;
}

// A descriptor that turns readable when the process ends (Linux 5.3 and
// later), off the standard descriptors like the pipe; -1 where the kernel
// offers none.
int openExitDescriptor(pid_t pid) {
#ifdef SYS_pidfd_open
  const long fd = ::syscall(SYS_pidfd_open, pid, 0);
  return fd >= 0 ? moveAboveStandard(static_cast<int>(fd)) : -1;
#else
  (void)pid;
  return -1;
#endif
}

// The pipe the child writes its output into, both ends closed unless its
// read end is taken.
struct Pipe {
  int readFd = -1;
  int writeFd = -1;

  // Both ends above the standard descriptors: where the program was started
  // with one of them closed, an end could otherwise take its number, and the
  // child's own redirections would close it or put it in the wrong place.
  bool open() {
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0) return false;
    writeFd = fds[1];
    readFd = moveAboveStandard(fds[0]);
    if (readFd < 0) return false;
    writeFd = moveAboveStandard(writeFd);
    return writeFd >= 0;
  }
  int takeReadEnd() { return std::exchange(readFd, -1); }
  ~Pipe() {
    for (int fd : {readFd, writeFd})
      if (fd >= 0) ::close(fd);
  }
};

// What the child starts with: standard input from /dev/null, standard output
// and standard error on the pipe, a session of its own and a clean signal
// state. Each set-up call is checked, as a step left out silently would
// start a child that writes its output elsewhere.
struct SpawnSetup {
  posix_spawn_file_actions_t actions;
  posix_spawnattr_t attributes;
  bool actionsReady = false, attributesReady = false;

  // 0, or the error number of the first call that failed.
  int prepare(int outputFd) {
    int rc = posix_spawn_file_actions_init(&actions);
    actionsReady = rc == 0;
    if (rc == 0) rc = posix_spawnattr_init(&attributes);
    attributesReady = actionsReady && rc == 0;
    if (rc == 0)
      rc = posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    if (rc == 0) rc = posix_spawn_file_actions_adddup2(&actions, outputFd, STDOUT_FILENO);
    if (rc == 0) rc = posix_spawn_file_actions_adddup2(&actions, outputFd, STDERR_FILENO);
    // A session of its own: no controlling terminal, and signals meant for
    // the program's terminal do not reach the child. And a clean signal
    // state: a blocked or ignored signal would otherwise pass on to the
    // child, whose own handling of it (removing a half-written output) would
    // then never run.
    sigset_t noSignals, catchable;
    sigemptyset(&noSignals);
    sigfillset(&catchable);
    sigdelset(&catchable, SIGKILL);
    sigdelset(&catchable, SIGSTOP);
    if (rc == 0) rc = posix_spawnattr_setsigmask(&attributes, &noSignals);
    if (rc == 0) rc = posix_spawnattr_setsigdefault(&attributes, &catchable);
    if (rc == 0)
      rc = posix_spawnattr_setflags(
          &attributes, POSIX_SPAWN_SETSID | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
    return rc;
  }
  ~SpawnSetup() {
    if (actionsReady) posix_spawn_file_actions_destroy(&actions);
    if (attributesReady) posix_spawnattr_destroy(&attributes);
  }
};

}  // namespace

ChildProcess::~ChildProcess() { close(); }

ChildProcess::StartResult ChildProcess::start(const QString& commandLine) {
  close();
  reaped_ = false;
  exitStatus_ = {};
  errorCode_ = 0;
  // The system takes each argument up to its first NUL, so one holding a NUL
  // would reach the child as another, shorter one (a folder cut down to the
  // name of a file in it). NUL separates nothing here: wherever it stands in
  // the line, it lands inside an argument.
  if (commandLine.contains(QChar(u'\0'))) return StartResult::ArgumentHoldsNul;
  const ResolvedCommand command = resolveCommandLine(commandLine);
  if (command.program.isEmpty()) return StartResult::SpawnFailed;

  Pipe pipe;
  if (!pipe.open()) {
    errorCode_ = errno;
    return StartResult::PipeFailed;
  }

  // Each argument as the bytes it stands for, so a name that is not valid
  // UTF-8 reaches the child as the file system spells it.
  std::vector<QByteArray> storage;
  storage.push_back(bytesFromName(command.program));
  for (const QString& a : command.arguments) storage.push_back(bytesFromName(a));
  std::vector<char*> argv;
  for (QByteArray& s : storage) argv.push_back(s.data());
  argv.push_back(nullptr);

  SpawnSetup setup;
  int rc = setup.prepare(pipe.writeFd);
  pid_t pid = -1;
  if (rc == 0)
    rc = ::posix_spawn(&pid, storage[0].constData(), &setup.actions, &setup.attributes,
                       argv.data(), environ);
  if (rc != 0) {
    errorCode_ = rc;
    return StartResult::SpawnFailed;
  }
  pid_ = pid;
  readFd_ = pipe.takeReadEnd();
  exitFd_ = openExitDescriptor(pid);
  return StartResult::Started;
}

QString signalName(int signal) {
  if (const char* abbreviation = ::sigabbrev_np(signal))
    return QStringLiteral("SIG") + QString::fromLatin1(abbreviation);
  return QStringLiteral("signal %1").arg(signal);
}

qint64 ChildProcess::bytesWaiting() const {
  int count = 0;
  if (readFd_ < 0 || ::ioctl(readFd_, FIONREAD, &count) != 0) return -1;
  return count;
}

bool ChildProcess::read(qint64 maxBytes, QByteArray& out) {
  out.resize(maxBytes);
  ssize_t n;
  do {
    n = ::read(readFd_, out.data(), static_cast<size_t>(maxBytes));
  } while (n < 0 && errno == EINTR);
  out.resize(n > 0 ? n : 0);
  return n > 0;
}

bool ChildProcess::hasExited() {
  if (reaped_ || pid_ <= 0) return true;
  int status = 0;
  pid_t done;
  do {
    done = ::waitpid(pid_, &status, WNOHANG);
  } while (done < 0 && errno == EINTR);
  if (done == 0) return false;
  reaped_ = true;
  // done < 0: the child is no longer ours to wait for, and its status is lost.
  if (done == pid_ && WIFEXITED(status)) exitStatus_ = ExitStatus::exited(WEXITSTATUS(status));
  if (done == pid_ && WIFSIGNALED(status)) exitStatus_ = ExitStatus::killed(WTERMSIG(status));
  return true;
}

std::vector<int> ChildProcess::wakeDescriptors() const {
  std::vector<int> fds;
  if (readFd_ >= 0) {
    // A pipe whose writers have all gone stays readable for good: watching
    // it would turn every wait into a busy loop.
    pollfd pipe{readFd_, POLLIN, 0};
    const bool atEnd = ::poll(&pipe, 1, 0) == 1 && (pipe.revents & POLLIN) == 0;
    if (!atEnd) fds.push_back(readFd_);
  }
  if (exitFd_ >= 0 && !reaped_) fds.push_back(exitFd_);
  return fds;
}

void ChildProcess::closeOutput() {
  if (readFd_ >= 0) {
    ::close(readFd_);
    readFd_ = -1;
  }
}

void ChildProcess::close() {
  closeOutput();
  if (exitFd_ >= 0) {
    ::close(exitFd_);
    exitFd_ = -1;
  }
  if (pid_ > 0) {
    // Reap a child that has ended; one that still runs is not waited for, so
    // the window never hangs on a transcoder that closed its output early.
    hasExited();
    pid_ = -1;
  }
}

}  // namespace platform
