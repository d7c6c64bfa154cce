#include "FakeProgram.h"
#include "ScriptedModal.h"
#include "platform/ProcessScan.h"
#include "support/DOSOutputs.h"

#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

int openDescriptors() { return static_cast<int>(QDir("/proc/self/fd").entryList(QDir::NoDotAndDotDot | QDir::AllEntries).size()); }

struct Recorder {
  QStringList chunks;
  int over = 0;
  bool drainedAtOver = false;
  bool watchedAliveAtOver = true;
};

void record(DOSOutputs& runner, Recorder& r, const QString& watched) {
  QObject::connect(&runner, &DOSOutputs::ReceiveOutputs, [&r](const QString& c) { r.chunks << c; });
  QObject::connect(&runner, &DOSOutputs::CommandOver, [&r, watched] {
    ++r.over;
    r.watchedAliveAtOver = platform::isProcessRunning(watched);
  });
}

}  // namespace

TEST(DOSOutputs, HandsOnOutputInChunksThatJoinToTheWholeText) {
  ScriptedModal modal;
  QTemporaryDir dir;
  const QString name = uniqueProcessName("fkc");
  // 5000 bytes on stdout and a line on stderr, then a lingering copy of the
  // same name that outlives the first process by a little.
  writeScript(dir.path() + "/" + name,
              "if [ \"$1\" = linger ]; then sleep 0.4; exit 0; fi\n"
              "head -c 5000 /dev/zero | tr '\\0' 'x'\n"
              "echo ' Duration: 00:00:01.00, ' >&2\n"
              "\"$0\" linger >/dev/null 2>&1 &\n");
  DOSOutputs runner;
  runner.setWatchedProcessName(name);
  Recorder r;
  record(runner, r, name);

  const int fdsBefore = openDescriptors();
  const QString result = runner.ExecuteCommand(dir.path() + "/" + name);

  EXPECT_TRUE(modal.messages.empty());
  EXPECT_EQ(r.over, 1);
  EXPECT_FALSE(r.watchedAliveAtOver);
  for (const QString& c : r.chunks) EXPECT_LE(c.toUtf8().size(), 1024);
  EXPECT_GE(r.chunks.size(), 5);
  EXPECT_EQ(r.chunks.join(QString()), result);
  EXPECT_EQ(runner.Outputs(), result);
  EXPECT_EQ(result.toStdString(), (QString(5000, u'x') + " Duration: 00:00:01.00, \n").toStdString());
  EXPECT_EQ(openDescriptors(), fdsBefore);
}

TEST(DOSOutputs, KeepsTheStoredCommandLineForLaterRuns) {
  ScriptedModal modal;
  QTemporaryDir dir;
  const QString name = uniqueProcessName("fkk");
  writeScript(dir.path() + "/" + name, "echo run\n");
  DOSOutputs runner;
  runner.setWatchedProcessName(name);
  runner.setCommandLine(dir.path() + "/" + name);
  EXPECT_EQ(runner.ExecuteCommand(), "run\n");
  EXPECT_EQ(runner.ExecuteCommand(QString()), "run\n");
  EXPECT_EQ(runner.CommandLine(), dir.path() + "/" + name);
}

TEST(DOSOutputs, RefusesWithAStopMessageAndNoEventWhenNothingCanRun) {
  ScriptedModal modal;
  QTemporaryDir dir;
  DOSOutputs runner;
  Recorder r;
  record(runner, r, "none");
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
  EXPECT_TRUE(r.chunks.isEmpty());
  EXPECT_EQ(r.over, 0);
  EXPECT_EQ(openDescriptors(), fdsBefore);
}

TEST(DOSOutputs, AProgramThatWritesNothingEndsWithOneEventAndNoText) {
  ScriptedModal modal;
  QTemporaryDir dir;
  const QString name = uniqueProcessName("fkq");
  writeScript(dir.path() + "/" + name, "exit 3\n");
  DOSOutputs runner;
  runner.setWatchedProcessName(name);
  Recorder r;
  record(runner, r, name);
  EXPECT_EQ(runner.ExecuteCommand(dir.path() + "/" + name), "");
  EXPECT_TRUE(r.chunks.isEmpty());
  EXPECT_EQ(r.over, 1);
}

TEST(DOSOutputs, KeepsTheWindowAliveWhileItWaits) {
  ScriptedModal modal;
  QTemporaryDir dir;
  const QString name = uniqueProcessName("fkw");
  writeScript(dir.path() + "/" + name, "sleep 0.3\n");
  DOSOutputs runner;
  runner.setWatchedProcessName(name);
  int ticks = 0;
  QTimer timer;
  QObject::connect(&timer, &QTimer::timeout, [&ticks] { ++ticks; });
  timer.start(20);
  runner.ExecuteCommand(dir.path() + "/" + name);
  EXPECT_GE(ticks, 5);
}
