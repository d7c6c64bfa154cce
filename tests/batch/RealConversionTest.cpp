// The whole road with the real transcoder: the window's command lines are
// accepted, its log drives the bar, and the files come out.
#include "ScriptedModal.h"
#include "ToneWav.h"
#include "main/frmMain.h"
#include "options/OptionValues.h"
#include "platform/ProgramFolder.h"
#include "support/DOSOutputs.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(RealConversion, TwoBatchesInTwoFormatsWriteTheirFiles) {
  ScriptedModal modal;
  platform::setProgramFolder(QStringLiteral(DABRELIN_PROGRAM_DIR));
  gNoSound = 1;
  gCutEnabled = 0;
  QTemporaryDir dir;
  const QString input = dir.filePath("my tone.live.wav");
  writeToneWav(input, 2);

  frmMain w;
  w.txtPath->setText(dir.filePath("out"));
  QStringList labels;
  QString log;
  QObject::connect(w.objDOS, &DOSOutputs::ReceiveOutputs, [&](const QString& chunk) {
    log += chunk;
    labels << w.lblPB->text();
  });
  for (int format : {0, 4}) {  // MP3, then FLAC
    w.cmbOF->setCurrentIndex(format);
    w.lstFile->addItem(input);
    new QTreeWidgetItem(w.LV, {input, "WAV"});
    w.lblPB->setText(QString());  // the previous batch's "Done."
    w.imgStart_Click();
    QElapsedTimer clock;
    clock.start();
    while (w.lblPB->text() != "Done." && clock.elapsed() < 60000)
      QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    ASSERT_EQ(w.lblPB->text(), "Done.");
  }
  platform::setProgramFolder(QString());
  gNoSound = 0;

  EXPECT_TRUE(modal.messages.empty() && modal.reports.empty()) << log.toStdString();
  EXPECT_GT(QFileInfo(dir.filePath("out/my tone.mp3")).size(), 10000);
  EXPECT_GT(QFileInfo(dir.filePath("out/my tone.flac")).size(), 10000);
  EXPECT_TRUE(labels.contains("100%"));
}
