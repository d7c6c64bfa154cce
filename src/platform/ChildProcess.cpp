#include "platform/ChildProcess.h"

#include "platform/CommandLineSplit.h"
#include "platform/NameBytes.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/ioctl.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace platform {
namespace {

// A descriptor that turns readable when the process ends (Linux 5.3 and
// later); -1 where the kernel offers none.
int openExitDescriptor(pid_t pid) {
#ifdef SYS_pidfd_open
  const long fd = ::syscall(SYS_pidfd_open, pid, 0);
  return fd >= 0 ? static_cast<int>(fd) : -1;
#else
  (void)pid;
  return -1;
#endif
}

}  // namespace

ChildProcess::~ChildProcess() { close(); }

ChildProcess::StartResult ChildProcess::start(const QString& commandLine) {
  close();
  reaped_ = false;
  exitStatus_ = {};
  int fds[2];
  if (::pipe2(fds, O_CLOEXEC) != 0) {
    errorCode_ = errno;
    return StartResult::PipeFailed;
  }

  const ResolvedCommand command = resolveCommandLine(commandLine);
  if (command.program.isEmpty()) {
    ::close(fds[0]);
    ::close(fds[1]);
    return StartResult::SpawnFailed;
  }

  // Each argument as the bytes it stands for, so a name that is not valid
  // UTF-8 reaches the child as the file system spells it.
  std::vector<QByteArray> storage;
  storage.push_back(bytesFromName(command.program));
  for (const QString& a : command.arguments) storage.push_back(bytesFromName(a));
  std::vector<char*> argv;
  for (QByteArray& s : storage) argv.push_back(s.data());
  argv.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
  posix_spawn_file_actions_adddup2(&actions, fds[1], STDERR_FILENO);
  posix_spawnattr_t attr;
  posix_spawnattr_init(&attr);
  // A session of its own: no controlling terminal, and signals meant for the
  // program's terminal do not reach the child. And a clean signal state: a
  // blocked or ignored signal would otherwise pass on to the child, whose own
  // handling of it (removing a half-written output) would then never run.
  sigset_t noSignals, catchable;
  sigemptyset(&noSignals);
  sigfillset(&catchable);
  sigdelset(&catchable, SIGKILL);
  sigdelset(&catchable, SIGSTOP);
  posix_spawnattr_setsigmask(&attr, &noSignals);
  posix_spawnattr_setsigdefault(&attr, &catchable);
  posix_spawnattr_setflags(&attr,
                           POSIX_SPAWN_SETSID | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);

  pid_t pid = -1;
  const int rc = ::posix_spawn(&pid, storage[0].constData(), &actions, &attr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  posix_spawnattr_destroy(&attr);
  ::close(fds[1]);
  if (rc != 0) {
    ::close(fds[0]);
    return StartResult::SpawnFailed;
  }
  pid_ = pid;
  readFd_ = fds[0];
  exitFd_ = openExitDescriptor(pid);
  return StartResult::Started;
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

void ChildProcess::close() {
  if (readFd_ >= 0) {
    ::close(readFd_);
    readFd_ = -1;
  }
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
