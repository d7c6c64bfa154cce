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

TEST(BatchFailures, ARunThatWroteNoReasonGivesHowItEnded) {
  EXPECT_EQ(runFailureReason("\n \r\n", 3), "the converter ended with exit status 3");
  EXPECT_EQ(runFailureReason("size=     512kB time=32.70 bitrate= 128.3kbits/s\n", 128 + 9),
            "the converter was stopped by signal 9");
}
