#include "FakeProgram.h"
#include "platform/CommandLineSplit.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using platform::escapeForQuotes;
using platform::resolveCommandLine;
using platform::splitCommandLine;

TEST(CommandLineSplit, FollowsTheQuotingConvention) {
  struct Case {
    QString line;
    QStringList args;
  } cases[] = {
      {"a b\tc", {"a", "b", "c"}},
      {"  a   b  ", {"a", "b"}},  // doubled blanks separate like one
      {R"("a b" c)", {"a b", "c"}},
      {R"(x"a b"y)", {"xa by"}},
      {R"("a\"b")", {R"(a"b)"}},       // 1 backslash + quote: literal quote
      {R"("a\\"b c")", {R"(a\b)", "c"}},  // 2 backslashes + quote: one backslash, quote groups
      {R"(a\\\"b)", {R"(a\"b)"}},       // 3 backslashes + quote
      {R"(a\b\\c)", {R"(a\b\\c)"}},     // backslashes not before a quote are literal
      {R"("a":"b")", {"a:b"}},
      {R"("")", {""}},
  };
  for (const Case& c : cases) EXPECT_EQ(splitCommandLine(c.line), c.args) << c.line.toStdString();
}

TEST(CommandLineSplit, EscapedArgumentsComeBackUnchanged) {
  const QString samples[] = {R"(/m/say "hi".mp4)", R"(/m/back\slash)", R"(/m/end\)",
                             R"(/m/\"mixed\\"")", "plain path/with blanks"};
  for (const QString& s : samples) {
    const QStringList back = splitCommandLine(u'"' + escapeForQuotes(s) + u'"');
    ASSERT_EQ(back.size(), 1) << s.toStdString();
    EXPECT_EQ(back[0], s);
  }
  EXPECT_EQ(escapeForQuotes("/music/in.wav"), "/music/in.wav");
}

TEST(CommandLineSplit, FindsAnUnquotedProgramWhosePathHoldsBlanks) {
  QTemporaryDir dir;
  const QString folder = dir.path() + "/my app/data";
  writeScript(folder + "/conv", "exit 0\n");
  const auto resolved = resolveCommandLine(folder + "/conv -i \"/in/a b.mp4\"  -y");
  EXPECT_EQ(resolved.program, folder + "/conv");
  EXPECT_EQ(resolved.arguments, QStringList({"-i", "/in/a b.mp4", "-y"}));

  EXPECT_TRUE(resolveCommandLine(dir.path() + "/nothing here -x").program.isEmpty());
  EXPECT_TRUE(resolveCommandLine("   ").program.isEmpty());
  EXPECT_EQ(resolveCommandLine("sh -c true").program.endsWith("/sh"), true);
}
