#pragma once
#include "main/BatchFailures.h"
#include "main/BatchInputs.h"
#include "skin/LinkLabel.h"
#include "skin/SkinnedWindow.h"
#include "skin/Twips.h"

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
class PictureBox;
class QMimeData;
class frmMenu;

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
  // What the queue holds and what the running batch took from it: every road
  // that adds or removes entries keeps it in step.
  BatchInputs mBatchInputs;

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
  LinkLabel* lblFeed = nullptr;

  // --- filling and emptying the queue ---
  QListWidget* lstAddFolder = nullptr;  // hidden: what the folder road found, empty between uses
  QString mLastOpenFolder;              // folder of the last file chosen in the open dialog
  QWidget* picText = nullptr;           // the hint over the list: shown while it is empty
  QLabel* lblText = nullptr;
  PictureBox* picDoor = nullptr;  // getting-started panel over the list until first hidden
  ImageButton* imgDoorButton = nullptr;
  ImageButton* imgBrowse = nullptr;  // chooses the output folder
  ImageButton* imgAdd = nullptr;     // below the client area: reached only through other controls
  ImageButton* imgRemove = nullptr;
  QLineEdit* txtAction = nullptr;  // hidden: a menu item's command word while it is dispatched
  frmMenu* menuForm = nullptr;     // the popup menus

  void imgAdd_Click();
  void imgRemove_Click();
  void imgBrowse_Click();
  void imgDoorButton_Click();
  void picDoor_MouseMove();
  void LV_OLEDragDrop(const QMimeData* Data, Qt::DropAction& Effect);
  void picDoor_OLEDragDrop(const QMimeData* Data, Qt::DropAction& Effect);
  void imgToolbar_Click(int16_t Index);
  void txtAction_Change();
  // Shows a caption in the hint, "&&" as one ampersand.
  void setHintText(const QString& caption);

  // --- commands ---
  void imgMenu_Click(int16_t Index);  // pops up its menu under the image
  void imgHelp_Click();               // the tutorial page
  void lblWeb_Click();                // the home page

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
  // This batch so far: the files converted whole, and those the report at its end lists.
  int mConvertedWhole = 0;
  std::vector<ReportedFile> mReportedFiles;
  QString mRunOutput;  // where the running transcoder writes

  // --- skinned frame ---
  void Timer2_Timer();
  int32_t mTransparentColor = 0;  // the see-through colour, once the window is placed
  ImageButton* imgHelp = nullptr;
  ImageButton* imgMin = nullptr;
  ImageButton* imgStart = nullptr;  // below the client area: reached only through other controls
  // The drop-down arrows over the lists' own.
  ImageButton* picButtonOF = nullptr;
  ImageButton* picButtonBR = nullptr;
  ImageButton* picButtonR = nullptr;
  ImageButton* picButtonChannel = nullptr;
  void imgMin_Click();
  void lblFeed_MouseMove();
  void lblFeed_Click();  // the feedback window, modally

  // --- start-up and shutdown ---
  ImageButton* imgExit = nullptr;  // the title bar's exit
  LinkLabel* lblWeb = nullptr;     // the product name, a link to the home page
  // False when another copy of the program runs: this one must end silently.
  bool Form_Load();
  void imgExit_Click();  // saves setup.ini, then unloads
  void Form_Unload();    // removes the fixed temporary files, then ends the program
  // Ends the process at once (tests put a recorder in its place).
  std::function<void()> endProgram = endProcessNow;

 protected:
  void closeEvent(QCloseEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;

 private:
  static void endProcessNow();
  void createControls();
  void createConversionSettings();
  void createProgress();
  void createCommandImages();
  void setBusyControlsEnabled(bool enabled);
  void endBatch();
  void nextFile();
  void reportBatch();
  QString overwriteReason(const QString& output) const;
  void createQueueControls();
  void createFrameControls();
  void giveButtonsTheirLooks();
  void wireCommands();
  void showAboutBox();
  void AddFolder();
  // Appends the paths to lstFile and LV alike, each tagged by `tag`.
  void appendToQueue(const QStringList& paths, QString (*tag)(const QString&));
};
