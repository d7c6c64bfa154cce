// The progress bar and its percentage, from the transcoder's log.
#include "main/ProgressReading.h"
#include "main/frmMain.h"
#include "options/OptionValues.h"

void frmMain::objDOS_ReceiveOutputs(const QString& CommandOutputs) {
  if (mTotalSeconds == 0) {
    if (gCutEnabled != 0) {
      mTotalSeconds = gCutLength;
    } else if (const auto total = progress::durationSeconds(CommandOutputs)) {
      mTotalSeconds = *total;
    }
  }
  const auto time = progress::timeText(CommandOutputs);
  if (!time) return;
  const progress::BarState bar =
      progress::barFor(progress::positionSeconds(*time), mTotalSeconds);
  // The bar's widths are drawn for 15 twips per pixel, like the trough painted
  // in the skin: rescaled as every control is, the full bar fills the trough.
  if (bar.widthTwips) setProgressWidth(static_cast<float>(twips::scaledX(*bar.widthTwips)));
  lblPB->setText(bar.label);
}
