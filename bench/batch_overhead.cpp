// Time the conversion driver spends per file around a transcoder that ends
// at once: 50 files through the offscreen main window.
#include "common/FakeProgram.h"
#include "common/ScriptedModal.h"
#include "common/TempFolder.h"
#include "main/frmMain.h"
#include "options/OptionValues.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <cstdio>

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  constexpr int kFiles = 50;

  ScriptedModal modal;
  TempProgramFolder folder;
  QDir().mkpath(folder.file("data"));
  QFile::copy("/bin/true", folder.file("data/conv"));
  gNoSound = 1;

  frmMain window;
  window.txtPath->setText(folder.file("out"));
  for (int i = 0; i < kFiles; ++i) {
    const QString path = folder.file(QStringLiteral("in%1.mp4").arg(i));
    window.lstFile->addItem(path);
    new QTreeWidgetItem(window.LV, {path, QStringLiteral("MP4")});
  }

  QElapsedTimer clock;
  clock.start();
  window.imgStart_Click();
  while (window.lblPB->text() != QStringLiteral("Done."))
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  const double perFile = static_cast<double>(clock.elapsed()) / kFiles;
  std::printf("files: %d  total: %lld ms  per file: %.1f ms\n", kFiles,
              static_cast<long long>(clock.elapsed()), perFile);
  return 0;
}
