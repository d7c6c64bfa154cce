#include "options/frmOptions.h"

#include "options/OptionValues.h"
#include "options/OptionsFile.h"
#include "platform/Modal.h"
#include "skin/ImageButton.h"
#include "skin/SkinControls.h"
#include "support/NumberRules.h"

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
  connect(chkMC, &QCheckBox::toggled, this, &frmOptions::chkMC_Click);

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
  connect(imgOK, &ImageButton::clicked, this, &frmOptions::imgOK_Click);
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

std::array<QLineEdit*, cut::FieldCount> frmOptions::timeBoxes() const {
  return {txtFromH, txtFromM, txtFromS, txtToH, txtToM, txtToS};
}

cut::Fields frmOptions::timeTexts() const {
  cut::Fields texts;
  const auto boxes = timeBoxes();
  for (std::size_t i = 0; i < boxes.size(); ++i) texts[i] = boxes[i]->text();
  return texts;
}

void frmOptions::enableTimeBoxes(bool enabled) {
  for (QLineEdit* box : timeBoxes()) box->setEnabled(enabled);
}

void frmOptions::Form_Load() {
  loadFrame();
  // An index that names no entry leaves the list without a selection.
  cmbSR->setCurrentIndex(gNoSound);
  // The box has two states; any stored value but 1 shows the cutter off.
  chkMC->setChecked(gCutEnabled == 1);
  enableTimeBoxes(chkMC->isChecked());
  if (chkMC->isChecked()) {
    const auto boxes = timeBoxes();
    const auto start = cut::splitSeconds(gCutStart);
    const auto length = cut::splitSeconds(gCutLength);
    for (int i = 0; i < 3; ++i) {
      boxes[cut::FromH + i]->setText(start[i]);
      boxes[cut::ToH + i]->setText(length[i]);
    }
  }
  armShowTimer();
}

void frmOptions::chkMC_Click() { enableTimeBoxes(chkMC->isChecked()); }

void frmOptions::imgOK_Click() {
  const cut::Fields texts = timeTexts();
  if (const std::optional<cut::Complaint> complaint = cut::firstComplaint(texts)) {
    platform::modal().showMessage(this, complaint->message, QStringLiteral("Min"),
                                  platform::MessageIcon::Exclamation);
    // A disabled box (the cutter unticked) takes no focus; the message has said it all.
    timeBoxes()[complaint->field]->setFocus();
    return;
  }
  if (cut::allZero(texts)) chkMC->setChecked(false);

  gNoSound = static_cast<int16_t>(cmbSR->currentIndex());
  gCutEnabled = chkMC->isChecked() ? 1 : 0;
  // A time beyond 32 bits (huge hours) keeps the former value; the rest is stored.
  if (const std::optional<int32_t> start = numbers::toInt32(cut::startSeconds(texts)))
    gCutStart = *start;
  if (const std::optional<int32_t> length = numbers::toInt32(cut::lengthSeconds(texts)))
    gCutLength = *length;
  SaveOptions();
  accept();
}

void frmOptions::imgBack_Click() { reject(); }

void frmOptions::imgExit_Click() { reject(); }

void ShowOptionsWindow() {
  // Without an owner the modal window blocks every other window of the program.
  frmOptions window;
  platform::modal().showModal(&window);
}
