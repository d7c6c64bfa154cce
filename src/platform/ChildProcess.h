#pragma once
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <sys/types.h>
#include <vector>

namespace platform {

// How a child ended: the code it exited with, or the signal that killed it,
// kept apart so that no exit code can pass for a signal.
struct ExitStatus {
  enum class Kind { Unknown, Exited, Killed };
  Kind kind = Kind::Unknown;  // Unknown: never started, still running, or its end not seen
  int number = 0;             // the exit code when Exited, the signal when Killed

  static ExitStatus exited(int code) { return {Kind::Exited, code}; }
  static ExitStatus killed(int signal) { return {Kind::Killed, signal}; }
  bool operator==(const ExitStatus&) const = default;
};

// A signal as people know it ("SIGKILL"); "signal 40" for one without a name.
QString signalName(int signal);

// A hidden child process whose standard output and standard error share one
// pipe and whose standard input is /dev/null. Closing (or destroying the
// object) closes the pipe and reaps the child once it has ended.
class ChildProcess {
 public:
  ChildProcess() = default;
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  enum class StartResult { Started, ArgumentHoldsNul, PipeFailed, SpawnFailed };

  // Splits the command line by the platform's convention and starts the
  // program, each argument as the bytes its text stands for (NameBytes.h).
  // A line with a NUL is refused before anything is looked up or opened. On
  // PipeFailed or SpawnFailed, errorCode() holds the system's error number (0
  // when no program was found); nothing stays open.
  StartResult start(const QString& commandLine);

  // Bytes waiting in the pipe, without reading them; -1 when the pipe cannot be asked.
  qint64 bytesWaiting() const;

  // Reads up to maxBytes; false when the read fails or the pipe is at its end.
  bool read(qint64 maxBytes, QByteArray& out);

  // Closes the pipe: nothing more is read, and the child can no longer block
  // on output that nobody reads.
  void closeOutput();

  // True once the child has ended; the first call that sees it reaps it.
  bool hasExited();

  // How the child ended; Unknown while it runs, when it was never started, or
  // when it could not be told.
  ExitStatus exitStatus() const { return exitStatus_; }

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
  ExitStatus exitStatus_;
  int errorCode_ = 0;
};

}  // namespace platform
