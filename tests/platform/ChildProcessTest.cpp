#include "FakeProgram.h"
#include "platform/ChildProcess.h"
#include "platform/ProcessScan.h"

#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>
#include <sys/wait.h>

TEST(ProcessScan, SeesLiveProcessesByNameInAnyCaseButNotZombies) {
  QTemporaryDir dir;
  const QString name = uniqueProcessName("scan");
  writeScript(dir.path() + "/" + name, "read x\n");  // stdin is /dev/null: ends at once
  const QString sleeper = uniqueProcessName("slp");
  writeScript(dir.path() + "/" + sleeper, "sleep 2\n");

  platform::ChildProcess running;
  ASSERT_EQ(running.start(dir.path() + "/" + sleeper), platform::ChildProcess::StartResult::Started);
  EXPECT_TRUE(platform::isProcessRunning(sleeper));
  EXPECT_TRUE(platform::isProcessRunning(sleeper.toUpper()));

  platform::ChildProcess ended;
  ASSERT_EQ(ended.start(dir.path() + "/" + name), platform::ChildProcess::StartResult::Started);
  // Not reaped yet: a zombie until close(), and zombies do not count.
  siginfo_t info{};
  waitid(P_PID, static_cast<id_t>(ended.pid()), &info, WEXITED | WNOWAIT);
  EXPECT_FALSE(platform::isProcessRunning(name));
  ended.close();
  EXPECT_FALSE(platform::isProcessRunning(name));
}

TEST(ProcessScan, ChildHasNoInputAndSharesOnePipeForBothOutputs) {
  QTemporaryDir dir;
  const QString name = uniqueProcessName("io");
  writeScript(dir.path() + "/" + name,
              "echo out; echo err >&2; if read x; then echo got; else echo eof; fi\n");
  platform::ChildProcess child;
  ASSERT_EQ(child.start(dir.path() + "/" + name), platform::ChildProcess::StartResult::Started);
  QByteArray all, chunk;
  while (child.read(1024, chunk)) all += chunk;
  EXPECT_EQ(all, "out\nerr\neof\n");
}
