// Filling and emptying the queue: one file through the open dialog, every
// file below a folder, files dropped on the list or the door panel, Remove
// Selected; the hint over the empty list, the door panel and the output
// folder. Every road changes lstFile and LV together, with no events
// processed in between, so the two lists always hold the same files.
#include "main/DropTarget.h"
#include "main/PictureBox.h"
#include "main/QueueText.h"
#include "main/SetupFile.h"
#include "main/frmMain.h"
#include "main/frmMenu.h"
#include "options/frmOptions.h"
#include "platform/Modal.h"
#include "platform/NameBytes.h"
#include "skin/ImageButton.h"
#include "skin/SkinResources.h"
#include "skin/TextFit.h"
#include "support/CCommonDialogs.h"
#include "support/FileSearch.h"

#include <QCoreApplication>
#include <QCursor>
#include <QHeaderView>
#include <QScrollBar>

namespace {

const QString kOpenFilter = QStringLiteral(
    "MP4 Files(*.mp4)|*.mp4|AVI Files(*.avi)|*.avi|MPG Files(*.mpg)|*.mpg|WMV Files(*.wmv)|*.wmv|"
    "Flash Video(*.flv)|*.flv|QuickTime Format(*.mov)|*.mov|DVD VOB(*.vob)|*.vob|"
    "Real Video(*.rm)|*.rm|3GP Video(*.3gp)|*.3gp|MP3 Audio(*.mp3)|*.mp3|"
    "WAVE Files(*.wav)|*.wav|WMA Audio(*.wma)|*.wma|All Media Formats(*.*)|*.*");
const QString kFolderDialogTitle = QStringLiteral("Please select a folder:");

ImageButton* makeButton(QWidget* parent, const QString& tooltip) {
  auto* button = new ImageButton(parent);
  button->setToolTip(tooltip);
  return button;
}

}  // namespace

void frmMain::createQueueControls() {
  lstAddFolder = new QListWidget(this);
  lstAddFolder->hide();

  picText = new QWidget(this);
  picText->setAutoFillBackground(true);
  layout.add(picText, 2460, 3960, 2445, 315);
  lblText = new QLabel(picText);
  lblText->setAlignment(Qt::AlignCenter);
  QFont hintFont(QStringLiteral("Tahoma"));
  hintFont.setBold(true);
  lblText->setFont(hintFont);
  QPalette hintColors = lblText->palette();
  hintColors.setColor(QPalette::WindowText, QColor(128, 128, 128));
  lblText->setPalette(hintColors);
  layout.add(lblText, 180, 60, 2085, 210, 9);
  setHintText(kDropHint);
  keepTextFitting(lblText);  // the longer of its two texts

  imgBrowse = makeButton(this, QStringLiteral("Select an Output Folder"));
  layout.add(imgBrowse, 9525, 4960, 630, 330);
  connect(imgBrowse, &ImageButton::clicked, this, &frmMain::imgBrowse_Click);
  imgAdd = makeButton(this, QStringLiteral("Add a new file to file list"));
  layout.add(imgAdd, 6135, 8235, 1395, 330);
  connect(imgAdd, &ImageButton::clicked, this, &frmMain::imgAdd_Click);
  imgRemove = makeButton(this, QStringLiteral("Remove a file from file list"));
  layout.add(imgRemove, 7590, 8235, 1185, 330);
  connect(imgRemove, &ImageButton::clicked, this, &frmMain::imgRemove_Click);

  picDoor = new PictureBox(this);
  picDoor->setPixmap(artwork::picture(QStringLiteral("door.png")));
  layout.add(picDoor, 180, 1750, 10110, 5250);
  connect(picDoor, &PictureBox::mouseMoved, this, &frmMain::picDoor_MouseMove);
  imgDoorButton = new ImageButton(picDoor);
  imgDoorButton->setHoverPicture(artwork::picture(QStringLiteral("door_button_data.png")));
  layout.add(imgDoorButton, 2910, 4360, 3990, 435);
  connect(imgDoorButton, &ImageButton::clicked, this, &frmMain::imgDoorButton_Click);
  picDoor->raise();

  // The list as a whole takes drops: its rows, its column header, its scroll bars.
  const DropTarget::Handler dropOnList = [this](const QMimeData* data, Qt::DropAction& effect) {
    LV_OLEDragDrop(data, effect);
  };
  for (QWidget* part : std::initializer_list<QWidget*>{LV->viewport(), LV->header(),
                                                      LV->verticalScrollBar(),
                                                      LV->horizontalScrollBar()})
    new DropTarget(part, dropOnList);
  new DropTarget(picDoor, [this](const QMimeData* data, Qt::DropAction& effect) {
    picDoor_OLEDragDrop(data, effect);
  });

  for (const auto& [index, button] : imgToolbar)
    connect(button, &ImageButton::clicked, this, [this, index] { imgToolbar_Click(index); });

  txtAction = new QLineEdit(this);
  txtAction->hide();
  connect(txtAction, &QLineEdit::textChanged, this, &frmMain::txtAction_Change);
  menuForm = new frmMenu(*this);
}

void frmMain::setHintText(const QString& caption) {
  lblText->setText(QString(caption).replace(QStringLiteral("&&"), QStringLiteral("&")));
}

void frmMain::appendToQueue(const QStringList& paths, QString (*tag)(const QString&)) {
  // lstFile keeps each name's bytes; the list shows those it cannot read as
  // replacement characters instead of unpaired surrogates.
  QList<QTreeWidgetItem*> items;
  items.reserve(paths.size());
  for (const QString& path : paths) {
    items.append(new QTreeWidgetItem(
        QStringList{platform::readableName(path), platform::readableName(tag(path))}));
    mBatchInputs.addWaiting(path);
  }
  lstFile->addItems(paths);
  LV->addTopLevelItems(items);
}

void frmMain::imgAdd_Click() {
  if (!objCommonDialogs) return;
  objCommonDialogs->setFileName(QString());
  objCommonDialogs->setFilter(kOpenFilter);
  objCommonDialogs->setTitle(QStringLiteral("Open Files"));
  if (!mLastOpenFolder.isEmpty()) objCommonDialogs->setPath(mLastOpenFolder);
  if (!objCommonDialogs->ShowOpen()) return;

  const QString path = objCommonDialogs->FileName();
  if (platform::lostItsBytes(path)) {
    platform::modal().showMessage(this, unreadableNameMessage(path), QStringLiteral("Open Files"),
                                  platform::MessageIcon::Exclamation);
  } else if (!path.isEmpty()) {
    mLastOpenFolder = GetFolderFromPath(path);
    appendToQueue({path}, TrimmedFormatTag);
  }
  picText->setVisible(LV->topLevelItemCount() == 0);
  repaint();
}

void frmMain::AddFolder() {
  const std::optional<QString> folder = platform::modal().chooseFolder(this, kFolderDialogTitle);
  picText->show();
  setHintText(kSearchingHint);
  if (folder && !folder->isEmpty()) {
    SearchFiles(*folder, [this](const QString& path) { lstAddFolder->addItem(path); });
    // Whatever the scratch list holds now is taken: a second folder road that
    // ran during the search took what was there then. A road that searched
    // nothing leaves the list alone, as a search still running fills it.
    QStringList found;
    found.reserve(lstAddFolder->count());
    for (int i = 0; i < lstAddFolder->count(); ++i) found.append(lstAddFolder->item(i)->text());
    appendToQueue(found, TrimmedFormatTag);
    lstAddFolder->clear();
  }
  setHintText(kDropHint);
  picText->setVisible(LV->topLevelItemCount() == 0);
}

void frmMain::LV_OLEDragDrop(const QMimeData* Data, Qt::DropAction& Effect) {
  // Copy: the drag source keeps its files where they are.
  Effect = Qt::CopyAction;
  appendToQueue(droppedFiles(Data), FormatTag);
  if (lstFile->count() > 0) {
    QCoreApplication::processEvents();
    picText->hide();
  }
}

void frmMain::picDoor_OLEDragDrop(const QMimeData* Data, Qt::DropAction& Effect) {
  picDoor->hide();
  LV_OLEDragDrop(Data, Effect);
}

void frmMain::imgRemove_Click() {
  if (LV->topLevelItemCount() > 0) {
    const QList<QTreeWidgetItem*> selected = LV->selectedItems();
    if (!selected.isEmpty()) {
      const int i = LV->indexOfTopLevelItem(selected.first());
      mBatchInputs.removeWaiting(lstFile->item(i)->text());
      delete LV->takeTopLevelItem(i);
      delete lstFile->takeItem(i);
    }
  }
  if (LV->topLevelItemCount() == 0) picText->show();
}

void frmMain::imgBrowse_Click() {
  const std::optional<QString> folder = platform::modal().chooseFolder(this, kFolderDialogTitle);
  // A cancel does not keep the former choice: it means the default folder.
  txtPath->setText(folder && !folder->isEmpty() ? *folder : setup_defaults::outputFolder());
}

void frmMain::imgDoorButton_Click() { imgToolbar_Click(0); }

void frmMain::picDoor_MouseMove() { imgDoorButton->GoDark(); }

void frmMain::imgToolbar_Click(int16_t Index) {
  picDoor->hide();
  repaint();
  QCoreApplication::processEvents();
  switch (Index) {
    case 0:
      imgAdd_Click();
      break;
    case 1:
      platform::modal().popupMenu(menuForm->menuRemove, QCursor::pos());
      break;
    case 2:
      ShowOptionsWindow();
      break;
    case 3:
      imgHelp_Click();
      break;
    case 4:
      imgExit_Click();
      break;
    case 6:
      AddFolder();
      break;
  }
}
