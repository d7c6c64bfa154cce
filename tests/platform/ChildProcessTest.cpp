#include "ByteNames.h"
#include "FakeProgram.h"
#include "platform/ChildProcess.h"

#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>
#include <pthread.h>

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

}  // namespace

TEST(ChildProcess, ChildHasNoInputAndSharesOnePipeForBothOutputs) {
  QTemporaryDir dir;
  writeScript(dir.path() + "/io",
              "echo out; echo err >&2; if read x; then echo got; else echo eof; fi\n");
  platform::ChildProcess child;
  ASSERT_EQ(child.start(dir.path() + "/io"), platform::ChildProcess::StartResult::Started);
  QByteArray all, chunk;
  while (child.read(1024, chunk)) all += chunk;
  EXPECT_EQ(all, "out\nerr\neof\n");
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
  QByteArray all, chunk;
  while (child.read(1024, chunk)) all += chunk;
  EXPECT_EQ(all, "-i|/in/nonutf\xff\xfe.wav|/in/nonutf\xff\xfe.wav:x|");
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
  QByteArray all, chunk;
  while (child.read(1024, chunk)) all += chunk;
  EXPECT_EQ(all, "handled\n");
}
