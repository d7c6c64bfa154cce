#include "ByteNames.h"
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
