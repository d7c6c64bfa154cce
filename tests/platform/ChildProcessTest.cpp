#include "ByteNames.h"
#include "FakeProgram.h"
#include "platform/ChildProcess.h"

#include <QTemporaryDir>
#include <csignal>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <pthread.h>
#include <unistd.h>

namespace {

// Blocks and ignores a signal in the calling thread for the guard's life,
// then puts back the mask and disposition it found.
class SignalBlockedAndIgnored {
 public:
  explicit SignalBlockedAndIgnored(int signal) : signal_(signal) {
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, signal);
    pthread_sigmask(SIG_BLOCK, &set, &formerMask_);
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    sigaction(signal, &ignore, &formerAction_);
  }
  ~SignalBlockedAndIgnored() {
    sigaction(signal_, &formerAction_, nullptr);
    pthread_sigmask(SIG_SETMASK, &formerMask_, nullptr);
  }

 private:
  int signal_;
  sigset_t formerMask_;
  struct sigaction formerAction_ {};
};

// Closes the given standard descriptors for the guard's life, as for a
// program started without them, then puts them back.
class StandardDescriptorsClosed {
 public:
  explicit StandardDescriptorsClosed(std::vector<int> closed) : closed_(std::move(closed)) {
    for (int fd : closed_) {
      saved_.push_back(::fcntl(fd, F_DUPFD_CLOEXEC, 10));
      ::close(fd);
    }
  }
  ~StandardDescriptorsClosed() {
    for (size_t i = 0; i < closed_.size(); ++i) {
      ::dup2(saved_[i], closed_[i]);
      ::close(saved_[i]);
    }
  }
  // The closed ones that are open again.
  std::vector<int> reopened() const {
    std::vector<int> open;
    for (int fd : closed_)
      if (::fcntl(fd, F_GETFD) != -1) open.push_back(fd);
    return open;
  }

 private:
  std::vector<int> closed_, saved_;
};

QByteArray readAll(platform::ChildProcess& child) {
  QByteArray all, chunk;
  while (child.read(1024, chunk)) all += chunk;
  return all;
}

}  // namespace

TEST(ChildProcess, ChildHasNoInputAndSharesOnePipeForBothOutputs) {
  QTemporaryDir dir;
  writeScript(dir.path() + "/io",
              "echo out; echo err >&2; if read x; then echo got; else echo eof; fi\n");
  platform::ChildProcess child;
  ASSERT_EQ(child.start(dir.path() + "/io"), platform::ChildProcess::StartResult::Started);
  EXPECT_EQ(readAll(child), "out\nerr\neof\n");
}

// The pipe never takes a standard descriptor's number, where the child's own
// redirections could close it or set it in the wrong place.
TEST(ChildProcess, KeepsItsPipeOffTheStandardDescriptorsTheProgramStartedWithout) {
  QTemporaryDir dir;
  writeScript(dir.path() + "/io",
              "echo out; echo err >&2; if read x; then echo got; else echo eof; fi\n");
  const std::vector<std::vector<int>> closedSets = {{0}, {1}, {2}, {0, 1}, {0, 2}, {0, 1, 2}};
  for (const std::vector<int>& closed : closedSets) {
    platform::ChildProcess child;
    platform::ChildProcess::StartResult started;
    std::vector<int> taken;
    QByteArray output;
    {
      StandardDescriptorsClosed guard(closed);
      started = child.start(dir.path() + "/io");
      taken = guard.reopened();
      output = readAll(child);
    }
    const std::string label = ::testing::PrintToString(closed);
    EXPECT_EQ(started, platform::ChildProcess::StartResult::Started) << label;
    EXPECT_EQ(taken, std::vector<int>()) << label;
    EXPECT_EQ(output, "out\nerr\neof\n") << label;
  }
}

TEST(ChildProcess, StartsNothingWhenAnArgumentWouldBeCutAtANul) {
  QTemporaryDir dir;
  const QString program = dir.path() + "/args";
  writeScript(program, "touch \"$0.ran\"\n");
  const QString nul(QChar(u'\0'));
  const QString lines[] = {
      '"' + program + "\" -i \"/m/keep.flac" + nul + "/x.flac\" out.mp3",
      program + " -i a" + nul + "b",
      program + nul + "x -i a",
      '"' + program + nul + "\"",
  };
  for (const QString& line : lines) {
    platform::ChildProcess child;
    EXPECT_EQ(child.start(line), platform::ChildProcess::StartResult::ArgumentHoldsNul)
        << line.toStdString();
    EXPECT_EQ(child.wakeDescriptors(), std::vector<int>());
  }
  EXPECT_FALSE(QFile::exists(program + ".ran"));
}

TEST(ChildProcess, NamesASignalAsPeopleKnowIt) {
  const std::pair<int, const char*> names[] = {
      {SIGKILL, "SIGKILL"}, {SIGTERM, "SIGTERM"}, {SIGSEGV, "SIGSEGV"}, {SIGRTMIN + 2, nullptr}};
  for (const auto& [signal, name] : names)
    EXPECT_EQ(platform::signalName(signal),
              name ? QString(name) : QStringLiteral("signal %1").arg(signal));
}

TEST(ChildProcess, ArgumentsAndProgramReachTheSystemAsTheBytesTheirNamesCameFrom) {
  ByteNamedFolder dir;
  // The program's own folder name is not valid UTF-8 either.
  const QString folder = platform::nameFromBytes(rawPath(dir.path()) + "/bin\xff");
  ::mkdir(rawPath(folder).constData(), 0755);
  const QString program = folder + "/args";
  writeScript(dir.path() + "/args", "for a in \"$@\"; do printf '%s|' \"$a\"; done\n");
  ::rename(rawPath(dir.path() + "/args").constData(), rawPath(program).constData());
  const QString name = platform::nameFromBytes("/in/nonutf\xff\xfe.wav");

  platform::ChildProcess child;
  ASSERT_EQ(child.start('"' + program + "\" -i \"" + name + "\" " + name + ":x"),
            platform::ChildProcess::StartResult::Started);
  EXPECT_EQ(readAll(child), "-i|/in/nonutf\xff\xfe.wav|/in/nonutf\xff\xfe.wav:x|");
}

TEST(ChildProcess, ChildStartsWithSignalsUnblockedAndAtTheirDefaults) {
  QTemporaryDir dir;
  // A shell cannot trap a signal that was ignored when it started, and a
  // blocked one never reaches its trap.
  writeScript(dir.path() + "/trap",
              "trap 'echo handled; exit 0' TERM\nkill -TERM $$\necho missed\n");
  platform::ChildProcess child;
  {
    SignalBlockedAndIgnored parentState(SIGTERM);
    ASSERT_EQ(child.start(dir.path() + "/trap"), platform::ChildProcess::StartResult::Started);
  }
  EXPECT_EQ(readAll(child), "handled\n");
}
