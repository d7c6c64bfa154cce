// The conversion driver: the queue's head is converted file after file, each
// started from a fresh tick of Timer1 so the call depth never grows.
#include "main/CommandLines.h"
#include "main/ImageButton.h"
#include "main/frmMain.h"
#include "options/OptionValues.h"
#include "platform/Modal.h"
#include "platform/ProgramFolder.h"
#include "support/DOSOutputs.h"

#include <QCoreApplication>
#include <QDir>
#include <QUrl>

void frmMain::imgConvert_Click() { imgStart_Click(); }

void frmMain::imgStart_Click() {
  if (lstFile->count() > 0) {
    setBusyControlsEnabled(false);
    Timer1->start();
  } else {
    platform::modal().showMessage(this, QStringLiteral("Please add a file"), QStringLiteral("Add"),
                                  platform::MessageIcon::Exclamation);
  }
}

void frmMain::Timer1_Timer() {
  Timer1->stop();
  QCoreApplication::processEvents();
  ParsePath();
}

void frmMain::ParsePath() {
  // One level only: a missing parent makes the transcoder's run fail instead.
  QDir().mkdir(txtPath->text());
  if (lstFile->count() <= 0) {
    endBatch();
    return;
  }
  ConversionRequest request;
  request.programFolder = platform::programFolder();
  request.input = lstFile->item(0)->text();
  request.outputFolder = txtPath->text();
  request.formatIndex = cmbOF->currentIndex();
  request.bitrateText = cmbBR->currentText();
  request.rateText = cmbR->currentText();
  request.channelIndex = cmbChannel->currentIndex();
  request.cutEnabled = gCutEnabled != 0;
  request.cutStart = gCutStart;
  request.cutLength = gCutLength;
  objDOS->setCommandLine(buildCommandLine(request));
  objDOS->ExecuteCommand(QString());
}

void frmMain::objDOS_CommandOver() {
  delete lstFile->takeItem(0);
  delete LV->takeTopLevelItem(0);
  mTotalSeconds = 0;
  Timer1->start();
}

void frmMain::endBatch() {
  platform::modal().openUrl(QUrl::fromLocalFile(txtPath->text()));
  if (gNoSound == 0) platform::modal().playSound(platform::programPath(QStringLiteral("sound.wav")));
  setBusyControlsEnabled(true);
  setProgressWidth(0);
  lblPB->setText(QStringLiteral("Done."));
}

void frmMain::setBusyControlsEnabled(bool enabled) {
  if (!enabled) {
    for (auto& [index, button] : imgToolbar) button->setEnabled(false);
    for (ImageButton* menu : imgMenu) menu->setEnabled(false);
    imgConvert->setEnabled(false);
    lblFeed->setEnabled(false);
  } else {
    lblFeed->setEnabled(true);
    imgConvert->setEnabled(true);
    for (auto& [index, button] : imgToolbar) button->setEnabled(true);
    for (ImageButton* menu : imgMenu) menu->setEnabled(true);
  }
}
