#include "main/BatchFailures.h"

#include <QStringList>
#include <gtest/gtest.h>

TEST(BatchFailures, TheMessageListsTwentyFilesThenCountsTheRest) {
  std::vector<FailedFile> failures;
  for (int i = 1; i <= 23; ++i) failures.push_back({QStringLiteral("/in/%1.wav").arg(i), "bad"});
  const QStringList lines = failedFilesMessage(failures).split('\n');
  ASSERT_EQ(lines.size(), 22);
  EXPECT_EQ(lines.first(), "These files were not converted:");
  EXPECT_EQ(lines[20], "/in/20.wav: bad");
  EXPECT_EQ(lines.last(), "... and 3 more.");

  failures.resize(20);
  EXPECT_EQ(failedFilesMessage(failures).split('\n').last(), "/in/20.wav: bad");
}

TEST(BatchFailures, TheReasonIsTheLastLineWrittenElseHowTheRunEnded) {
  using platform::ExitStatus;
  const struct {
    const char* outputs;
    ExitStatus status;
    const char* reason;
  } cases[] = {
      {"  Duration: N/A\rsize= 1kB\r conv: bad input \r\n \n\n", ExitStatus::exited(1),
       "conv: bad input"},
      {"one line", ExitStatus::exited(1), "one line"},
      {"\n \r\n", ExitStatus::exited(3), "the converter ended with exit status 3"},
      // A high exit code is no signal.
      {"", ExitStatus::exited(200), "the converter ended with exit status 200"},
      {"size=     512kB time=32.70 bitrate= 128.3kbits/s\n", ExitStatus::killed(9),
       "the converter was stopped by signal 9"},
      {"", ExitStatus(), "the converter's end could not be seen"},
  };
  for (const auto& c : cases) EXPECT_EQ(runFailureReason(c.outputs, c.status), c.reason);
}
