// The whole road with the real transcoder: the window's command lines are
// accepted, its log drives the bar, and the files come out.
#include "ScriptedModal.h"
#include "main/frmMain.h"
#include "options/OptionValues.h"
#include "platform/ProgramFolder.h"
#include "support/DOSOutputs.h"

#include <QCoreApplication>
#include <QDataStream>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cmath>
#include <gtest/gtest.h>

namespace {

// Two seconds of a stereo 440 Hz tone as 16-bit PCM.
void writeTone(const QString& path) {
  constexpr int kRate = 44100, kSeconds = 2, kChannels = 2;
  const quint32 dataBytes = kRate * kSeconds * kChannels * 2;
  QFile file(path);
  file.open(QIODevice::WriteOnly);
  QDataStream out(&file);
  out.setByteOrder(QDataStream::LittleEndian);
  out.writeRawData("RIFF", 4);
  out << quint32(36 + dataBytes);
  out.writeRawData("WAVEfmt ", 8);
  out << quint32(16) << quint16(1) << quint16(kChannels) << quint32(kRate)
      << quint32(kRate * kChannels * 2) << quint16(kChannels * 2) << quint16(16);
  out.writeRawData("data", 4);
  out << dataBytes;
  for (int i = 0; i < kRate * kSeconds; ++i) {
    const auto sample = static_cast<qint16>(8000 * std::sin(2 * M_PI * 440 * i / kRate));
    out << sample << sample;
  }
}

}  // namespace

TEST(RealConversion, TwoBatchesInTwoFormatsWriteTheirFiles) {
  ScriptedModal modal;
  platform::setProgramFolder(QStringLiteral(DABRELIN_PROGRAM_DIR));
  gNoSound = 1;
  gCutEnabled = 0;
  QTemporaryDir dir;
  const QString input = dir.filePath("my tone.live.wav");
  writeTone(input);

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

  EXPECT_TRUE(modal.messages.empty()) << log.toStdString();
  EXPECT_GT(QFileInfo(dir.filePath("out/my tone.mp3")).size(), 10000);
  EXPECT_GT(QFileInfo(dir.filePath("out/my tone.flac")).size(), 10000);
  EXPECT_TRUE(labels.contains("100%"));
}
