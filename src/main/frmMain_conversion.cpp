// The conversion driver: the queue's head is converted file after file, each
// started from a fresh tick of Timer1 so the call depth never grows.
#include "main/CommandLines.h"
#include "main/OutputFolder.h"
#include "main/frmMain.h"
#include "options/OptionValues.h"
#include "platform/Modal.h"
#include "platform/ProgramFolder.h"
#include "skin/ImageButton.h"
#include "support/DOSOutputs.h"

#include <QCoreApplication>
#include <QUrl>

namespace {
// The transcoder's exit codes for an output written whole, and for one
// written as far as an input goes that holds less audio than it states.
constexpr int kConvertedWhole = 0;
constexpr int kConvertedIncomplete = 2;
}  // namespace

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
  const QString outputFolder = outputFolderFromBox(txtPath->text());
  const std::optional<QString> folderFailure = makeOutputFolder(outputFolder);
  if (lstFile->count() <= 0) {
    endBatch();
    return;
  }
  if (folderFailure) {
    mReportedFiles.push_back(
        {ReportedFile::Outcome::NotConverted, lstFile->item(0)->text(), *folderFailure});
    nextFile();
    return;
  }
  ConversionRequest request;
  request.programFolder = platform::programFolder();
  request.input = lstFile->item(0)->text();
  request.outputFolder = outputFolder;
  request.formatIndex = cmbOF->currentIndex();
  request.bitrateText = cmbBR->currentText();
  request.rateText = cmbR->currentText();
  request.channelIndex = cmbChannel->currentIndex();
  request.cutEnabled = gCutEnabled != 0;
  request.cutStart = gCutStart;
  request.cutLength = gCutLength;

  const QString output = outputPath(request);
  if (const QString clash = overwriteReason(output); !clash.isEmpty()) {
    mReportedFiles.push_back({ReportedFile::Outcome::Skipped, request.input, clash});
    nextFile();
    return;
  }
  mRunOutput = output;
  objDOS->setCommandLine(buildCommandLine(request));
  objDOS->ExecuteCommand(QString());
  // Nothing resumes a batch whose transcoder cannot start, so what it has
  // done so far is told now.
  if (!objDOS->StartFailure().isEmpty()) {
    mReportedFiles.push_back(
        {ReportedFile::Outcome::NotStarted, request.input, objDOS->StartFailure()});
    reportBatch();
  }
}

// Why the run would write over a file the batch must keep; empty when it may
// run. A file this batch was asked to convert is the user's own, whether it
// waits, runs or is done; an output it has written is the first of two inputs
// that share a name. Either stays as it is.
QString frmMain::overwriteReason(const QString& output) const {
  if (output.isEmpty()) return QString();
  if (mBatchInputs.protects(output)) return overwritesQueuedInputReason(output);
  if (const std::optional<QString> writer = mBatchInputs.writerOf(output))
    return overwritesEarlierOutputReason(output, *writer);
  return QString();
}

void frmMain::objDOS_CommandOver() {
  using platform::ExitStatus;
  const ExitStatus status = objDOS->ExitStatus();
  const bool whole = status == ExitStatus::exited(kConvertedWhole);
  const bool incomplete = status == ExitStatus::exited(kConvertedIncomplete);
  if (whole) ++mConvertedWhole;
  if (lstFile->count() > 0) {
    const QString input = lstFile->item(0)->text();
    if (whole || incomplete) mBatchInputs.addWritten(mRunOutput, input);
    if (!whole)
      mReportedFiles.push_back(
          {incomplete ? ReportedFile::Outcome::Incomplete : ReportedFile::Outcome::NotConverted,
           input, runFailureReason(objDOS->Outputs(), status), mRunOutput});
  }
  nextFile();
}

void frmMain::nextFile() {
  if (lstFile->count() > 0) mBatchInputs.take(lstFile->item(0)->text());
  delete lstFile->takeItem(0);
  delete LV->takeTopLevelItem(0);
  mTotalSeconds = 0;
  Timer1->start();
}

void frmMain::endBatch() {
  mBatchInputs.releaseBatch();
  platform::modal().openUrl(QUrl::fromLocalFile(outputFolderFromBox(txtPath->text())));
  if (gNoSound == 0) platform::modal().playSound(platform::programPath(QStringLiteral("sound.wav")));
  setBusyControlsEnabled(true);
  setProgressWidth(0);
  lblPB->setText(QStringLiteral("Done."));
  reportBatch();
}

// After the batch has ended as usual, so a batch without problems is unchanged.
void frmMain::reportBatch() {
  const BatchReport report = batchReport(mConvertedWhole, mReportedFiles);
  const bool anyProblem = !mReportedFiles.empty();
  mConvertedWhole = 0;
  mReportedFiles.clear();
  if (anyProblem)
    platform::modal().showReport(this, kBatchReportTitle, report.summary, report.details,
                                 platform::MessageIcon::Exclamation);
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
