#include "FakeProgram.h"
#include "ScriptedModal.h"
#include "support/DOSOutputs.h"

#include <QDateTime>
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <cerrno>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

int openDescriptors() {
  return static_cast<int>(
      QDir("/proc/self/fd").entryList(QDir::NoDotAndDotDot | QDir::AllEntries).size());
}

// A runner of fake programs named like the transcoder, and what it raised.
class DOSOutputsRun : public ::testing::Test {
 protected:
  void SetUp() override {
    QObject::connect(&runner, &DOSOutputs::ReceiveOutputs,
                     [this](const QString& c) { chunks << c; });
    QObject::connect(&runner, &DOSOutputs::CommandOver, [this] {
      ++over;
      overAtMs = QDateTime::currentMSecsSinceEpoch();
      textAtOver = chunks.join(QString());
    });
  }

  // Writes the fake program and returns the command line that runs it.
  QString program(const QString& body) {
    writeScript(dir.path() + "/conv", body);
    return dir.path() + "/conv";
  }

  ScriptedModal modal;
  QTemporaryDir dir;
  DOSOutputs runner;
  QStringList chunks;
  int over = 0;
  qint64 overAtMs = 0;
  QString textAtOver;
};

}  // namespace

TEST_F(DOSOutputsRun, HandsOnFastOutputInChunksThatJoinToTheWholeText) {
  // 100 KB at once, well beyond what 1024 bytes per 50 ms would take in.
  const QString line = program(
      "head -c 100000 /dev/zero | tr '\\0' 'x'\n"
      "echo ' Duration: 00:00:01.00, ' >&2\n");
  const int fdsBefore = openDescriptors();
  const QString result = runner.ExecuteCommand(line);

  EXPECT_TRUE(modal.messages.empty());
  EXPECT_EQ(over, 1);
  EXPECT_EQ(textAtOver, result);  // the pipe was drained before the end was raised
  for (const QString& c : chunks) EXPECT_LE(c.toUtf8().size(), 1024);
  EXPECT_EQ(runner.Outputs(), result);
  EXPECT_EQ(result.toStdString(),
            (QString(100000, u'x') + " Duration: 00:00:01.00, \n").toStdString());
  EXPECT_EQ(openDescriptors(), fdsBefore);
}

TEST_F(DOSOutputsRun, EndsWithItsOwnChildWhileAnotherProcessOfTheSameNameRuns) {
  QDir().mkpath(dir.path() + "/other");
  QFile::copy("/bin/sleep", dir.path() + "/other/conv");
  QProcess other;
  other.start(dir.path() + "/other/conv", {"30"});
  ASSERT_TRUE(other.waitForStarted());

  EXPECT_EQ(runner.ExecuteCommand(program("echo done\n")), "done\n");
  EXPECT_EQ(over, 1);
  EXPECT_EQ(other.state(), QProcess::Running);
  other.kill();
  other.waitForFinished();
}

TEST_F(DOSOutputsRun, KeepsACharacterSplitByAReadAndOneCutOffAtTheEnd) {
  // 1023 bytes, then "é" across the first read's end, then the first two of
  // the three bytes of "€".
  const QString line =
      program("printf '%s\\303\\251\\342\\202' \"$(head -c 1023 /dev/zero | tr '\\0' x)\"\n");
  const std::string written =
      QString::fromUtf8(QByteArray(1023, 'x') + "\xC3\xA9\xE2\x82").toStdString();
  EXPECT_EQ(runner.ExecuteCommand(line).toStdString(), written);
  EXPECT_EQ(textAtOver.toStdString(), written);
  EXPECT_EQ(runner.Outputs().toStdString(), written);
}

TEST_F(DOSOutputsRun, EndsRightAfterItsChildHasWrittenItsLastLineAndEnded) {
  const QString result =
      runner.ExecuteCommand(program("sleep 0.2\necho \"last $(date +%s%3N)\"\n"));
  ASSERT_TRUE(result.startsWith("last "));
  EXPECT_EQ(textAtOver, result);
  const qint64 writtenAtMs = result.mid(5).trimmed().toLongLong();
  // Sleeping out poll intervals after the end costs at least two full ones
  // (100 ms); the margin below that is for a machine busy with other tests.
  EXPECT_LT(overAtMs - writtenAtMs, 90);
}

TEST_F(DOSOutputsRun, KeepsTheStoredCommandLineForLaterRuns) {
  runner.setCommandLine(program("echo run\n"));
  EXPECT_EQ(runner.ExecuteCommand(), "run\n");
  EXPECT_EQ(runner.ExecuteCommand(QString()), "run\n");
  EXPECT_EQ(over, 2);
}

TEST_F(DOSOutputsRun, RefusesWithAStopMessageAndNoEventWhenNothingCanRun) {
  const int fdsBefore = openDescriptors();
  const QString program = this->program("touch \"$0.ran\"\n");
  const struct {
    QString commandLine;
    const char* message;
  } refusals[] = {
      {dir.path() + "/missing -i x", "File or command not found"},
      {program + " -i \"" + dir.path() + "/keep.flac" + QChar(u'\0') + "/x.flac\"",
       "Not started: an argument of the command line holds a NUL character, which would cut it "
       "short"},
  };
  for (const auto& refusal : refusals) {
    runner.ExecuteCommand(program);
    QFile::remove(program + ".ran");
    EXPECT_EQ(runner.ExecuteCommand(refusal.commandLine), "");
    EXPECT_EQ(runner.ExitStatus(), platform::ExitStatus());  // not the former run's status
    EXPECT_EQ(runner.StartFailure(), refusal.message);
    EXPECT_FALSE(QFile::exists(program + ".ran"));  // nothing started
  }
  runner.setCommandLine(QString());
  EXPECT_EQ(runner.ExecuteCommand(), "");
  EXPECT_EQ(runner.StartFailure(), "Command Line empty");
  runner.ExecuteCommand(program);
  EXPECT_EQ(runner.StartFailure(), "");

  ASSERT_EQ(modal.messages.size(), 3u);
  EXPECT_EQ(modal.messages[0].text, refusals[0].message);
  EXPECT_EQ(modal.messages[1].text, refusals[1].message);
  EXPECT_EQ(modal.messages[2].text, "Command Line empty");
  for (const auto& m : modal.messages) {
    EXPECT_EQ(m.title, "");  // the program's own name shows
    EXPECT_EQ(m.icon, platform::MessageIcon::Critical);
  }
  EXPECT_TRUE(chunks.isEmpty());
  EXPECT_EQ(over, 3);
  EXPECT_EQ(openDescriptors(), fdsBefore);
}

// A read can fail while the child still runs: here the pipe's read end is
// swapped for a folder behind the runner's back once the child has said which
// pipe it writes to.
TEST_F(DOSOutputsRun, StillWaitsForAChildWhosePipeCouldNotBeRead) {
  const QString line = program("echo \"$$ $(readlink /proc/$$/fd/1)\"\nsleep 0.3\nexit 7\n");
  pid_t childPid = 0;
  QObject::connect(&runner, &DOSOutputs::ReceiveOutputs, [&childPid](const QString& chunk) {
    if (childPid != 0) return;
    const QStringList said = chunk.trimmed().split(u' ');
    childPid = said.value(0).toInt();
    const int folder = ::open("/", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    for (const QString& fd : QDir("/proc/self/fd").entryList(QDir::NoDotAndDotDot | QDir::System))
      if (QFile::symLinkTarget("/proc/self/fd/" + fd).endsWith(said.value(1)))
        ::dup2(folder, fd.toInt());
    ::close(folder);
  });
  const int fdsBefore = openDescriptors();
  runner.ExecuteCommand(line);
  ASSERT_GT(childPid, 0);
  EXPECT_EQ(over, 1);
  EXPECT_EQ(runner.ExitStatus(), platform::ExitStatus::exited(7));
  errno = 0;
  EXPECT_EQ(::waitpid(childPid, nullptr, WNOHANG), -1);  // reaped: no longer a child at all
  EXPECT_EQ(errno, ECHILD);
  EXPECT_EQ(openDescriptors(), fdsBefore);
}

TEST_F(DOSOutputsRun, TellsHowASilentChildEnded) {
  using platform::ExitStatus;
  const std::pair<const char*, ExitStatus> cases[] = {
      {"exit 3\n", ExitStatus::exited(3)},
      {"exit 137\n", ExitStatus::exited(137)},  // as high as a killed child's shell code
      {"kill -9 $$\n", ExitStatus::killed(9)},
  };
  for (const auto& [script, status] : cases) {
    EXPECT_EQ(runner.ExecuteCommand(program(script)), "");
    EXPECT_EQ(runner.ExitStatus(), status) << script;
  }
  EXPECT_TRUE(chunks.isEmpty());
  EXPECT_EQ(over, 3);
}

TEST_F(DOSOutputsRun, KeepsTheWindowAliveWhileItWaits) {
  int ticks = 0;
  QTimer timer;
  QObject::connect(&timer, &QTimer::timeout, [&ticks] { ++ticks; });
  timer.start(20);
  runner.ExecuteCommand(program("sleep 0.3\n"));
  EXPECT_GE(ticks, 5);
}
