#include "FakeProgram.h"
#include "ScriptedModal.h"
#include "platform/ProcessScan.h"
#include "support/DOSOutputs.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

int openDescriptors() {
  return static_cast<int>(
      QDir("/proc/self/fd").entryList(QDir::NoDotAndDotDot | QDir::AllEntries).size());
}

// A runner watching a fake program of its own name, and what it raised.
class DOSOutputsRun : public ::testing::Test {
 protected:
  void SetUp() override {
    runner.setWatchedProcessName(name);
    QObject::connect(&runner, &DOSOutputs::ReceiveOutputs,
                     [this](const QString& c) { chunks << c; });
    QObject::connect(&runner, &DOSOutputs::CommandOver, [this] {
      ++over;
      watchedAliveAtOver = platform::isProcessRunning(name);
      textAtOver = chunks.join(QString());
    });
  }

  // Writes the fake program and returns the command line that runs it.
  QString program(const QString& body) {
    writeScript(dir.path() + "/" + name, body);
    return dir.path() + "/" + name;
  }

  ScriptedModal modal;
  QTemporaryDir dir;
  const QString name = uniqueProcessName("fk");
  DOSOutputs runner;
  QStringList chunks;
  int over = 0;
  bool watchedAliveAtOver = true;
  QString textAtOver;
};

}  // namespace

TEST_F(DOSOutputsRun, HandsOnOutputInChunksThatJoinToTheWholeText) {
  // 5000 bytes on stdout and a line on stderr, then a lingering copy of the
  // same name that outlives the first process by a little.
  const QString line = program(
      "if [ \"$1\" = linger ]; then sleep 0.4; exit 0; fi\n"
      "head -c 5000 /dev/zero | tr '\\0' 'x'\n"
      "echo ' Duration: 00:00:01.00, ' >&2\n"
      "\"$0\" linger >/dev/null 2>&1 &\n");
  const int fdsBefore = openDescriptors();
  const QString result = runner.ExecuteCommand(line);

  EXPECT_TRUE(modal.messages.empty());
  EXPECT_EQ(over, 1);
  EXPECT_FALSE(watchedAliveAtOver);
  EXPECT_EQ(textAtOver, result);  // the pipe was drained before the end was raised
  for (const QString& c : chunks) EXPECT_LE(c.toUtf8().size(), 1024);
  EXPECT_GE(chunks.size(), 5);
  EXPECT_EQ(runner.Outputs(), result);
  EXPECT_EQ(result.toStdString(),
            (QString(5000, u'x') + " Duration: 00:00:01.00, \n").toStdString());
  EXPECT_EQ(openDescriptors(), fdsBefore);
}

TEST_F(DOSOutputsRun, KeepsTheStoredCommandLineForLaterRuns) {
  runner.setCommandLine(program("echo run\n"));
  EXPECT_EQ(runner.ExecuteCommand(), "run\n");
  EXPECT_EQ(runner.ExecuteCommand(QString()), "run\n");
  EXPECT_EQ(over, 2);
}

TEST_F(DOSOutputsRun, RefusesWithAStopMessageAndNoEventWhenNothingCanRun) {
  const int fdsBefore = openDescriptors();
  EXPECT_EQ(runner.ExecuteCommand(), "");
  EXPECT_EQ(runner.ExecuteCommand(dir.path() + "/missing -i x"), "");

  ASSERT_EQ(modal.messages.size(), 2u);
  EXPECT_EQ(modal.messages[0].text, "Command Line empty");
  EXPECT_EQ(modal.messages[1].text, "File or command not found");
  for (const auto& m : modal.messages) {
    EXPECT_EQ(m.title, "");  // the program's own name shows
    EXPECT_EQ(m.icon, platform::MessageIcon::Critical);
  }
  EXPECT_TRUE(chunks.isEmpty());
  EXPECT_EQ(over, 0);
  EXPECT_EQ(openDescriptors(), fdsBefore);
}

TEST_F(DOSOutputsRun, AProgramThatWritesNothingEndsWithOneEventAndNoText) {
  EXPECT_EQ(runner.ExecuteCommand(program("exit 3\n")), "");
  EXPECT_TRUE(chunks.isEmpty());
  EXPECT_EQ(over, 1);
}

TEST_F(DOSOutputsRun, KeepsTheWindowAliveWhileItWaits) {
  int ticks = 0;
  QTimer timer;
  QObject::connect(&timer, &QTimer::timeout, [&ticks] { ++ticks; });
  timer.start(20);
  runner.ExecuteCommand(program("sleep 0.3\n"));
  EXPECT_GE(ticks, 5);
}
