#pragma once
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <sys/types.h>
#include <vector>

namespace platform {

// A hidden child process whose standard output and standard error share one
// pipe and whose standard input is /dev/null. Closing (or destroying the
// object) closes the pipe and reaps the child once it has ended.
class ChildProcess {
 public:
  ChildProcess() = default;
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  enum class StartResult { Started, PipeFailed, SpawnFailed };

  // Splits the command line by the platform's convention and starts the
  // program, each argument as the bytes its text stands for (NameBytes.h).
  // On PipeFailed, errorCode() holds errno; nothing stays open.
  StartResult start(const QString& commandLine);

  // Bytes waiting in the pipe, without reading them; -1 when the pipe cannot be asked.
  qint64 bytesWaiting() const;

  // Reads up to maxBytes; false when the read fails or the pipe is at its end.
  bool read(qint64 maxBytes, QByteArray& out);

  // True once the child has ended; the first call that sees it reaps it.
  bool hasExited();

  // How the child ended: its exit code, or 128 + the signal that killed it;
  // -1 while it runs, when it was never started, or when it could not be told.
  int exitStatus() const { return exitStatus_; }

  // Descriptors that become readable when there is something to look at: the
  // pipe while it can still bring output, and the child's end where the
  // kernel can report it.
  std::vector<int> wakeDescriptors() const;

  void close();

  int errorCode() const { return errorCode_; }

 private:
  int readFd_ = -1;
  int exitFd_ = -1;
  pid_t pid_ = -1;
  bool reaped_ = false;
  int exitStatus_ = -1;
  int errorCode_ = 0;
};

}  // namespace platform
