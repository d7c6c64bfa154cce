#include "options/frmOptions.h"

#include "main/ImageButton.h"
#include "main/SkinControls.h"

namespace {
constexpr double kFontSize = 7.5;
// The time boxes: the From row, then the Duration row; hours, minutes, seconds.
constexpr double kTimeLefts[3] = {1440, 2475, 3510};
constexpr double kFromTop = 1290, kDurationTop = 1650;
constexpr double kTimeWidth = 450, kTimeHeight = 300;
}  // namespace

frmOptions::frmOptions(QWidget* parent)
    : SkinnedDialog(QStringLiteral("options.png"), 4860, 2580, parent) {
  setWindowTitle(QStringLiteral("Options"));
  createControls();
  skin.hoverList = [this] {
    imgExit->GoDark();
    imgBack->GoDark();
    imgOK->GoDark();
    picButtonBR->GoDark();
  };
  Form_Load();
}

void frmOptions::createControls() {
  cmbSR = new QComboBox(this);
  cmbSR->addItems({QStringLiteral("ON"), QStringLiteral("OFF")});
  cmbSR->setCurrentIndex(-1);
  cmbSR->setToolTip(QStringLiteral("MP3 Audio Bitrate"));
  layout.add(cmbSR, 1800, 540, 1440, 330, kFontSize);
  picButtonBR = createArrowBox(cmbSR, QStringLiteral("MP3 Audio Bitrate"));
  layout.add(picButtonBR, 2935, 570, 285, 285);

  chkMC = new QCheckBox(QStringLiteral("Music Cutter"), this);
  layout.add(chkMC, 1800, 945, 195, 195, kFontSize);

  txtFromH = addTimeBox(kTimeLefts[0], kFromTop);
  txtFromM = addTimeBox(kTimeLefts[1], kFromTop);
  txtFromS = addTimeBox(kTimeLefts[2], kFromTop);
  txtToH = addTimeBox(kTimeLefts[0], kDurationTop);
  txtToM = addTimeBox(kTimeLefts[1], kDurationTop);
  txtToS = addTimeBox(kTimeLefts[2], kDurationTop);

  imgOK = addImageButton(2490, 2190, 870, 270, QStringLiteral("ok_light.png"), QString());
  imgBack = addImageButton(3690, 2190, 870, 270, QStringLiteral("back_light.png"),
                           QStringLiteral("Back"));
  imgExit = addImageButton(4495, 165, 225, 225, QStringLiteral("options_exit_light.png"),
                           QStringLiteral("Exit"));
  connect(imgBack, &ImageButton::clicked, this, &frmOptions::imgBack_Click);
  connect(imgExit, &ImageButton::clicked, this, &frmOptions::imgExit_Click);

  QWidget* tabOrder[] = {cmbSR, chkMC, txtFromH, txtFromM, txtFromS, txtToH, txtToM, txtToS};
  for (std::size_t i = 1; i < std::size(tabOrder); ++i) setTabOrder(tabOrder[i - 1], tabOrder[i]);
}

QLineEdit* frmOptions::addTimeBox(double left, double top) {
  auto* box = new QLineEdit(QStringLiteral("0"), this);
  layout.add(box, left, top, kTimeWidth, kTimeHeight, kFontSize);
  return box;
}

void frmOptions::Form_Load() {
  loadFrame();
  armShowTimer();
}

void frmOptions::imgBack_Click() { reject(); }

void frmOptions::imgExit_Click() { reject(); }
