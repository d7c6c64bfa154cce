#pragma once
#include "options/CutTimes.h"
#include "skin/SkinnedDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

// The options window: the sound reminder and the cutter's start and
// duration, on its own skin. A new instance for every opening: it fills
// itself from the option values, and only OK stores and saves them.
class frmOptions : public SkinnedDialog {
  Q_OBJECT
 public:
  explicit frmOptions(QWidget* parent = nullptr);

  QComboBox* cmbSR = nullptr;       // sound reminder: "ON", "OFF"
  ImageButton* picButtonBR = nullptr;  // drops cmbSR down
  QCheckBox* chkMC = nullptr;       // the cutter, as large as its square
  QLineEdit* txtFromH = nullptr;    // cut start
  QLineEdit* txtFromM = nullptr;
  QLineEdit* txtFromS = nullptr;
  QLineEdit* txtToH = nullptr;      // cut duration
  QLineEdit* txtToM = nullptr;
  QLineEdit* txtToS = nullptr;
  ImageButton* imgOK = nullptr;
  ImageButton* imgBack = nullptr;
  ImageButton* imgExit = nullptr;

  void Form_Load();
  void chkMC_Click();
  void imgOK_Click();
  void imgBack_Click();
  void imgExit_Click();

 private:
  void createControls();
  QLineEdit* addTimeBox(double left, double top);
  // The six time boxes in the order of cut::Field.
  std::array<QLineEdit*, cut::FieldCount> timeBoxes() const;
  cut::Fields timeTexts() const;
  void enableTimeBoxes(bool enabled);
};

// Opens a fresh options window modally, without an owner window, and returns
// when it has closed.
void ShowOptionsWindow();
