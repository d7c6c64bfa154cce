// Start-up, the settings kept in setup.ini, and shutdown.
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFile>
#include <cstdio>
#include <cstdlib>

#include "main/SetupFile.h"
#include "main/frmMain.h"
#include "options/OptionsFile.h"
#include "platform/InstanceLock.h"
#include "platform/ProgramFolder.h"
#include "platform/SettingsFolder.h"
#include "support/CCommonDialogs.h"
#include "support/ReadOnlyFile.h"

namespace {

// Skinning is done by the window itself; this stays as the step where a skin
// library would be attached, and nothing relies on it.
void SkinH_Attach() {}

QString setupPath() { return platform::settingsPath(QStringLiteral("setup.ini")); }

// Left behind by other programs; nothing of ours writes them.
const char* const kLeftoverTempFiles[] = {"/tmp/tmpfile.wav", "/tmp/tmpfile1.mp3"};

// A file marked read-only stays, as the settings files do: even the
// superuser, who could remove it, leaves it alone.
void removeWhilePresent(const QString& path) {
  while (platform::isFilePresent(path)) {
    if (isMarkedReadOnly(path) || !QFile::remove(path)) return;
    QCoreApplication::processEvents();
  }
}

}  // namespace

bool frmMain::Form_Load() {
  if (!platform::isOnlyRunningCopy(platform::settingsFolder())) return false;
  SkinH_Attach();
  skin.ParkOffScreen();
  if (!objCommonDialogs) objCommonDialogs = new CCommonDialogs;
  objCommonDialogs->Init(this);
  QCoreApplication::processEvents();
  setProgressWidth(0);
  // objDOS exists since the window was built, its events already connected.

  const SetupFields saved =
      platform::isFilePresent(setupPath()) ? readSetupFile(setupPath()) : SetupFields{};
  const SetupValues settings =
      startingSettings(saved, {cmbBR->count(), cmbR->count(), cmbChannel->count(), cmbOF->count()});
  cmbBR->setCurrentIndex(settings.bitrateIndex);
  cmbR->setCurrentIndex(settings.rateIndex);
  cmbChannel->setCurrentIndex(settings.channelIndex);
  cmbOF->setCurrentIndex(settings.formatIndex);
  txtPath->setText(settings.outputFolder);

  lblWeb->setText(QStringLiteral("Dabrelin"));
  QPalette webPalette = lblWeb->palette();
  webPalette.setColor(QPalette::WindowText, Qt::black);
  lblWeb->setPalette(webPalette);
  QCoreApplication::processEvents();

  LoadOptions();
  skin.ScaleToDpi();
  update();
  Timer2->start();
  return true;
}

void frmMain::imgExit_Click() {
  writeSetupFile(setupPath(), {cmbBR->currentIndex(), cmbR->currentIndex(),
                               cmbChannel->currentIndex(), txtPath->text(), cmbOF->currentIndex()});
  close();
}

void frmMain::closeEvent(QCloseEvent* event) {
  Form_Unload();
  event->accept();
}

void frmMain::Form_Unload() {
  for (const char* path : kLeftoverTempFiles) removeWhilePresent(QString::fromLatin1(path));
  endProgram();
}

void frmMain::endProcessNow() {
  // Nothing is left to save and no other window's handlers may run; a
  // transcoder still at work carries on alone.
  std::fflush(nullptr);
  std::_Exit(0);
}
