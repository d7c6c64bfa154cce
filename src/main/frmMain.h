#pragma once
#include "main/SkinnedWindow.h"
#include "main/Twips.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTimer>
#include <QTreeWidget>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <map>

class DOSOutputs;
class ImageButton;

// The main window: the queue, the conversion settings, the conversion driver
// and its progress display.
class frmMain : public QWidget {
  Q_OBJECT
 public:
  explicit frmMain(QWidget* parent = nullptr);
  ~frmMain() override;

  // --- the queue: full paths in lstFile, shown in LV, always in step ---
  QListWidget* lstFile = nullptr;  // hidden
  QTreeWidget* LV = nullptr;       // columns "FileName" and "Format"

  // --- conversion settings ---
  QComboBox* cmbOF = nullptr;
  QComboBox* cmbBR = nullptr;
  QComboBox* cmbR = nullptr;
  QComboBox* cmbChannel = nullptr;
  QLineEdit* txtPath = nullptr;

  // --- progress ---
  QLabel* imgPB = nullptr;  // its width in twips is the bar
  QLabel* lblPB = nullptr;
  int32_t mTotalSeconds = 0;

  // --- busy controls: disabled while a batch runs ---
  std::map<int, ImageButton*> imgToolbar;  // indexes 0, 6, 1, 2, 3, 4 from left to right
  ImageButton* imgMenu[3] = {};
  ImageButton* imgConvert = nullptr;
  QLabel* lblFeed = nullptr;

  QTimer* Timer1 = nullptr;  // 100 ms, one shot: the next step of a batch
  DOSOutputs* objDOS = nullptr;

  TwipsLayout layout;
  SkinnedWindow skin{this, layout, 10440, 7425};
  QTimer* Timer2 = nullptr;  // 50 ms, one shot: shows the window where the user sees it

  // Width of the progress bar in twips.
  float progressWidth() const;
  void setProgressWidth(float widthTwips);

  // --- conversion driver ---
  void imgConvert_Click();
  void imgStart_Click();
  void Timer1_Timer();
  void ParsePath();
  void objDOS_CommandOver();
  void objDOS_ReceiveOutputs(const QString& CommandOutputs);

  // --- skinned frame ---
  void Timer2_Timer();

  // --- start-up and shutdown ---
  ImageButton* imgExit = nullptr;  // the title bar's exit
  QLabel* lblWeb = nullptr;        // the product name
  // False when another copy of the program runs: this one must end silently.
  bool Form_Load();
  void imgExit_Click();  // saves setup.ini, then unloads
  void Form_Unload();    // removes the fixed temporary files, then ends the program
  // Ends the process at once (tests put a recorder in its place).
  std::function<void()> endProgram = endProcessNow;

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  static void endProcessNow();
  void createControls();
  void createConversionSettings();
  void createProgress();
  void createCommandImages();
  void setBusyControlsEnabled(bool enabled);
  void endBatch();
};
