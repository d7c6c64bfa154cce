#include "FakeProgram.h"
#include "platform/ChildProcess.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

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
