#include "FakeProgram.h"
#include "ScriptedModal.h"
#include "TempFolder.h"
#include "main/ImageButton.h"
#include "main/frmMain.h"
#include "options/OptionValues.h"
#include "support/DOSOutputs.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QUrl>
#include <gtest/gtest.h>

namespace {

// A transcoder that logs its arguments, one per line and "--" after each
// run, and writes a short log of its own.
const char* kFakeTranscoder =
    "for a in \"$@\"; do printf '%s\\n' \"$a\" >> \"$(dirname \"$0\")/args.log\"; done\n"
    "echo -- >> \"$(dirname \"$0\")/args.log\"\n"
    "echo '  Duration: 00:00:10.00, start: 0.000000' >&2\n"
    "echo 'size= 1kB time=5.00 bitrate= 1kbits/s' >&2\n";

bool busyControlsEnabled(const frmMain& w) {
  bool all = w.imgConvert->isEnabled() && w.lblFeed->isEnabled();
  for (const auto& [index, button] : w.imgToolbar) all = all && button->isEnabled();
  for (ImageButton* m : w.imgMenu) all = all && m->isEnabled();
  return all;
}

bool busyControlsDisabled(const frmMain& w) {
  bool none = !w.imgConvert->isEnabled() && !w.lblFeed->isEnabled();
  for (const auto& [index, button] : w.imgToolbar) none = none && !button->isEnabled();
  for (ImageButton* m : w.imgMenu) none = none && !m->isEnabled();
  return none;
}

void queue(frmMain& w, const QString& path) {
  w.lstFile->addItem(path);
  auto* item = new QTreeWidgetItem(w.LV, {path, path.right(3).toUpper()});
  (void)item;
}

bool waitFor(const std::function<bool()>& done, int ms = 60000) {
  QElapsedTimer clock;
  clock.start();
  while (!done() && clock.elapsed() < ms) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
  return done();
}

class ConversionBatch : public ::testing::Test {
 protected:
  void SetUp() override {
    gNoSound = 0;
    gCutEnabled = 0;
  }
  void TearDown() override { SetUp(); }
};

}  // namespace

TEST_F(ConversionBatch, ConvertsTheQueueHeadFirstAndEndsTheBatch) {
  ScriptedModal modal;
  QTemporaryDir root;
  // A program folder with blanks: the transcoder's unquoted path still resolves.
  const QString programFolder = root.path() + "/my app";
  platform::setProgramFolder(programFolder);
  writeScript(programFolder + "/data/conv", kFakeTranscoder);

  frmMain w;
  w.txtPath->setText(root.path() + "/out");
  w.cmbOF->setCurrentIndex(3);
  const QStringList inputs = {root.path() + "/a.mp4", root.path() + "/b b.avi",
                              root.path() + "/say \"hi\".wav"};
  for (const QString& in : inputs) queue(w, in);

  QStringList commandLines;
  QList<int> remainingAfterEachFile;
  bool busyDuringRun = true;
  QObject::connect(w.objDOS, &DOSOutputs::ReceiveOutputs, [&] {
    busyDuringRun = busyDuringRun && busyControlsDisabled(w);
  });
  QObject::connect(w.objDOS, &DOSOutputs::CommandOver, [&] {
    commandLines << w.objDOS->CommandLine();
    remainingAfterEachFile << w.lstFile->count();
  });

  w.imgConvert_Click();
  EXPECT_TRUE(busyControlsDisabled(w));
  ASSERT_TRUE(waitFor([&] { return w.lblPB->text() == "Done."; }));
  platform::setProgramFolder(QString());

  ASSERT_EQ(commandLines.size(), 3);
  EXPECT_EQ(commandLines[0], programFolder + R"(/data/conv -i ")" + inputs[0] +
                                 R"(" -y -vn -acodec pcm_s16le ")" + root.path() + R"(/out/a.wav")");
  EXPECT_TRUE(commandLines[1].contains(R"(-i ")" + inputs[1] + R"(")"));
  EXPECT_EQ(remainingAfterEachFile, QList<int>({2, 1, 0}));
  EXPECT_EQ(w.LV->topLevelItemCount(), 0);
  EXPECT_TRUE(busyDuringRun);
  EXPECT_TRUE(busyControlsEnabled(w));
  EXPECT_EQ(w.progressWidth(), 0.0f);
  EXPECT_EQ(w.mTotalSeconds, 0);
  EXPECT_TRUE(QDir(root.path() + "/out").exists());
  EXPECT_EQ(modal.openedUrls, std::vector<QUrl>({QUrl::fromLocalFile(root.path() + "/out")}));
  ASSERT_EQ(modal.playedSounds.size(), 1u);
  EXPECT_EQ(modal.playedSounds[0], programFolder + "/sound.wav");
  EXPECT_TRUE(modal.messages.empty());

  // The transcoder got each path exactly, the quotes in a name included.
  QFile log(programFolder + "/data/args.log");
  ASSERT_TRUE(log.open(QIODevice::ReadOnly));
  const QStringList runs = QString::fromUtf8(log.readAll()).split("--\n", Qt::SkipEmptyParts);
  ASSERT_EQ(runs.size(), 3);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(runs[i].split('\n').value(1), inputs[i]);
}

TEST_F(ConversionBatch, SilentWhenTheSoundIsOff) {
  ScriptedModal modal;
  TempProgramFolder folder;
  writeScript(folder.file("data/conv"), kFakeTranscoder);
  gNoSound = 1;
  frmMain w;
  queue(w, folder.file("x.mp3"));
  w.imgStart_Click();
  ASSERT_TRUE(waitFor([&] { return w.lblPB->text() == "Done."; }));
  EXPECT_TRUE(modal.playedSounds.empty());
  EXPECT_EQ(modal.openedUrls.size(), 1u);
}

TEST_F(ConversionBatch, AnEmptyQueueAsksForAFile) {
  ScriptedModal modal;
  frmMain w;
  w.imgStart_Click();
  ASSERT_EQ(modal.messages.size(), 1u);
  EXPECT_EQ(modal.messages[0].text, "Please add a file");
  EXPECT_EQ(modal.messages[0].title, "Add");
  EXPECT_EQ(modal.messages[0].icon, platform::MessageIcon::Exclamation);
  EXPECT_TRUE(busyControlsEnabled(w));
  EXPECT_FALSE(w.Timer1->isActive());
}

TEST_F(ConversionBatch, StopsWithTheFileAtTheHeadWhenTheTranscoderCannotStart) {
  ScriptedModal modal;
  TempProgramFolder folder;  // holds no data/conv
  frmMain w;
  queue(w, folder.file("x.mp4"));
  w.imgStart_Click();
  ASSERT_TRUE(waitFor([&] { return !modal.messages.empty(); }));
  waitFor([] { return false; }, 300);  // nothing more may happen
  EXPECT_EQ(modal.messages[0].text, "File or command not found");
  EXPECT_EQ(w.lstFile->count(), 1);
  EXPECT_EQ(w.LV->topLevelItemCount(), 1);
  EXPECT_TRUE(busyControlsDisabled(w));
  EXPECT_FALSE(w.Timer1->isActive());
  EXPECT_TRUE(modal.openedUrls.empty());
}

TEST_F(ConversionBatch, AFormatOutsideTheListStopsWithAnEmptyCommandLine) {
  ScriptedModal modal;
  TempProgramFolder folder;
  writeScript(folder.file("data/conv"), kFakeTranscoder);
  frmMain w;
  w.cmbOF->setCurrentIndex(-1);
  queue(w, folder.file("x.mp4"));
  w.imgStart_Click();
  ASSERT_TRUE(waitFor([&] { return !modal.messages.empty(); }));
  EXPECT_EQ(modal.messages[0].text, "Command Line empty");
  EXPECT_EQ(w.lstFile->count(), 1);
}
