#include "PrintQString.h"
#include "main/BatchFailures.h"
#include "platform/ReportWindow.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QStringList>
#include <csignal>
#include <gtest/gtest.h>

TEST(BatchFailures, EachOutcomeUnderItsHeadingEachFileByNameWithAShortReason) {
  using Outcome = ReportedFile::Outcome;
  const std::vector<ReportedFile> files = {
      {Outcome::Incomplete, "/m/x.mp3",
       "'/out/x.wav' is incomplete: its audio stops at 90.00 s of 180.00 s", "/out/x.wav"},
      {Outcome::NotConverted, "/m/cover.jpg",
       "conv: '/m/cover.jpg' is not an audio or video file that can be read"},
      {Outcome::Skipped, "/m/a.wav", overwritesQueuedInputReason("/out/a.wav")},
      {Outcome::NotConverted, "/m/d.wav", "conv: '/m/d.wav': Invalid argument", "/out/d.wav"},
      {Outcome::NotConverted, "/m/f.wav", "conv: '/out/f.mp3': Permission denied", "/out/f.mp3"},
      {Outcome::NotConverted, "/m/e.wav", "the converter was killed by SIGKILL"},
  };
  const BatchReport report = batchReport(7, files);
  EXPECT_EQ(report.summary, "7 converted, 1 incomplete, 5 not converted.");
  EXPECT_EQ(report.details,
            "In /m/\n"
            "\n"
            "Not converted:\n"
            "  cover.jpg is not an audio or video file that can be read\n"
            "  d.wav: Invalid argument\n"
            "  f.wav: its output f.mp3: Permission denied\n"
            "  e.wav: the converter was killed by SIGKILL\n"
            "\n"
            "Skipped, so that no file of this batch is written over:\n"
            "  a.wav: its output a.wav is a file this batch was asked to convert\n"
            "\n"
            "Converted as far as the input goes, which is incomplete:\n"
            "  x.mp3: its output x.wav is incomplete: its audio stops at 90.00 s of 180.00 s");
}

TEST(BatchFailures, FilesOfSeveralFoldersAreListedUnderEachFolderOnce) {
  using Outcome = ReportedFile::Outcome;
  const std::vector<ReportedFile> files = {{Outcome::NotConverted, "/a/1.txt", "/a/1.txt: bad"},
                                           {Outcome::NotConverted, "/b/2.txt", "bad"},
                                           {Outcome::NotConverted, "/a/3.txt", "bad"}};
  EXPECT_EQ(batchReport(0, files).details,
            "Not converted:\n  /a/\n    1.txt: bad\n    3.txt: bad\n  /b/\n    2.txt: bad");
}

// A short report shows whole, without scrolling; a long one fills the screen
// and scrolls, with OK in view.
TEST(BatchFailures, TheReportWindowFitsItsTextUpToTheScreen) {
  const QRect screen(0, 0, 1366, 768);
  int formerHeight = 0;
  for (int entries : {1, 2, 80}) {
    std::vector<ReportedFile> files;
    // Entries as long as a skip names them, each wrapped over two lines.
    for (int i = 0; i < entries; ++i) {
      const QString path = QStringLiteral("/home/user/Music/Some Artist/Album Two/%1.flac").arg(i);
      files.push_back(
          {ReportedFile::Outcome::Skipped, path,
           overwritesEarlierOutputReason(QStringLiteral("/home/user/Music/output/%1.mp3").arg(i),
                                         QString(path).replace("Two", "One"))});
    }
    const BatchReport report = batchReport(3, files);
    for (int i = 0; i < entries; ++i)
      EXPECT_EQ(report.details.count(QStringLiteral("\n  %1.flac: ").arg(i)), 1) << i;
    ReportWindow window(nullptr, kBatchReportTitle, report.summary, report.details, QIcon());
    window.fitInto(screen);
    window.show();
    QCoreApplication::processEvents();
    SCOPED_TRACE(entries);
    EXPECT_TRUE(screen.contains(window.frameGeometry())) << window.frameGeometry().height();
    QPushButton* ok = window.buttons->button(QDialogButtonBox::Ok);
    ASSERT_NE(ok, nullptr);
    EXPECT_TRUE(ok->isVisible());
    EXPECT_TRUE(window.rect().contains(QRect(ok->mapTo(&window, QPoint(0, 0)), ok->size())));
    EXPECT_EQ(window.summaryLabel->text(),
              QStringLiteral("3 converted, 0 incomplete, %1 not converted.").arg(entries));
    const int scrollRange = window.detailsText->verticalScrollBar()->maximum();
    if (entries < 80) {
      EXPECT_EQ(scrollRange, 0);  // the whole text in view
      EXPECT_LT(window.height(), screen.height() / 2);  // and no more room than it needs
    } else {
      EXPECT_GT(scrollRange, 0);  // the rest scrolls into view
      EXPECT_GT(window.height(), screen.height() * 3 / 4);
    }
    EXPECT_GT(window.height(), formerHeight);
    formerHeight = window.height();
  }
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
       "the converter was killed by SIGKILL"},
      {"", ExitStatus::killed(SIGTERM), "the converter was killed by SIGTERM"},
      {"", ExitStatus(), "the converter's end could not be seen"},
  };
  for (const auto& c : cases) EXPECT_EQ(runFailureReason(c.outputs, c.status), c.reason);
}
