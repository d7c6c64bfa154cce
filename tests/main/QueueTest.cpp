#include "ByteNames.h"
#include "FakeProgram.h"
#include "PrintQString.h"
#include "ScriptedModal.h"
#include "TempFolder.h"
#include "main/PictureBox.h"
#include "main/QueueText.h"
#include "main/frmMain.h"
#include "main/frmMenu.h"
#include "options/OptionValues.h"
#include "skin/ImageButton.h"
#include "support/CCommonDialogs.h"
#include "support/DOSOutputs.h"

#include <QCoreApplication>
#include <QCursor>
#include <QDropEvent>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QMimeData>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <utility>

namespace {

const QString kShownDropHint = QStringLiteral("Drag & Drop Files Here");

std::unique_ptr<QMimeData> filesData(const QStringList& paths) {
  QList<QUrl> urls;
  for (const QString& path : paths) urls.append(QUrl::fromLocalFile(path));
  auto data = std::make_unique<QMimeData>();
  data->setUrls(urls);
  return data;
}

// A file list as another program's drop brings it: the bytes as sent (a
// QMimeData of our own would parse them into addresses when set).
class ForeignDrop : public QMimeData {
 public:
  explicit ForeignDrop(QByteArray uriList) : uriList_(std::move(uriList)) {}
  QStringList formats() const override { return {"text/uri-list"}; }

 protected:
  QVariant retrieveData(const QString& type, QMetaType) const override {
    return type == "text/uri-list" ? QVariant(uriList_) : QVariant();
  }

 private:
  QByteArray uriList_;
};

// A drag and its drop as the window system delivers them (a widget gets the
// drop only when it took the drag); the action the drop reported, or
// IgnoreAction when it was refused.
Qt::DropAction dropOn(QWidget* target, const QMimeData& data) {
  const Qt::DropActions offered = Qt::CopyAction | Qt::MoveAction;
  QDragEnterEvent enter(QPoint(5, 5), offered, &data, Qt::LeftButton, Qt::NoModifier);
  enter.setDropAction(Qt::MoveAction);
  QCoreApplication::sendEvent(target, &enter);
  if (!enter.isAccepted()) return Qt::IgnoreAction;
  QDropEvent drop(QPointF(5, 5), offered, &data, Qt::LeftButton, Qt::NoModifier);
  drop.setDropAction(Qt::MoveAction);
  QCoreApplication::sendEvent(target, &drop);
  return drop.isAccepted() ? drop.dropAction() : Qt::IgnoreAction;
}

void touch(const QString& path) {
  QDir().mkpath(QFileInfo(path).path());
  QFile(path).open(QIODevice::WriteOnly);
}

class Queue : public ::testing::Test {
 protected:
  void SetUp() override {
    dialogs.Init(&window);
    objCommonDialogs = &dialogs;
  }
  void TearDown() override { objCommonDialogs = nullptr; }

  // The queued paths; fails the test unless both lists hold the same ones.
  QStringList queued() const {
    QStringList files, readable;
    for (int i = 0; i < window.lstFile->count(); ++i) {
      files.append(window.lstFile->item(i)->text());
      readable.append(platform::readableName(files.last()));
    }
    EXPECT_EQ(readable, shown()) << "lstFile and LV out of step";
    return files;
  }
  QStringList shown() const {
    QStringList result;
    for (int i = 0; i < window.LV->topLevelItemCount(); ++i)
      result.append(window.LV->topLevelItem(i)->text(0));
    return result;
  }
  QStringList tags() const {
    QStringList result;
    for (int i = 0; i < window.LV->topLevelItemCount(); ++i)
      result.append(window.LV->topLevelItem(i)->text(1));
    return result;
  }
  bool hintShown() const { return !window.picText->isHidden(); }
  QString hintText() const { return window.lblText->text(); }
  QWidget* list() const { return window.LV->viewport(); }
  Qt::DropAction dropFiles(QWidget* target, const QStringList& paths) {
    return dropOn(target, *filesData(paths));
  }

  ScriptedModal modal;
  TempProgramFolder programFolder;
  frmMain window;
  CCommonDialogs dialogs;
};

}  // namespace

TEST(QueueText, FormatTagsAndFolders) {
  const struct {
    const char *path, *tag, *trimmedTag;
  } tagCases[] = {
      {"/m/clip.mp4", "MP4", "MP4"}, {"/m/song.rm", ".RM", ".RM"}, {"/m/noext", "EXT", "EXT"},
      {"ab", "AB", "AB"},            {"", "", ""},                 {"/m/a.wav  ", "V  ", "WAV"},
      {"  x", "  X", "X"},           {"/m/a.mp3\t", "P3\t", "P3\t"},  // only blanks are trimmed
  };
  for (const auto& c : tagCases) {
    EXPECT_EQ(FormatTag(c.path), c.tag) << c.path;
    EXPECT_EQ(TrimmedFormatTag(c.path), c.trimmedTag) << c.path;
  }
  const char* folderCases[][2] = {{"/music/song.mp3", "/music/"}, {"song.mp3", ""}, {"/", "/"},
                                  {"/a/b/", "/a/b/"}, {"C:\\a\\b", ""}};
  for (const auto& c : folderCases) EXPECT_EQ(GetFolderFromPath(c[0]), c[1]) << c[0];
}

TEST(BatchInputs, KnowsAFileByAnySpellingUntilItsLastEntryIsGoneOrTheBatchEnds) {
  QTemporaryDir dir;
  const QString file = dir.filePath("a.wav"), link = dir.filePath("link.wav");
  touch(file);
  QFile::link(file, link);
  BatchInputs inputs;
  inputs.addWaiting(file);
  inputs.addWaiting(file);
  for (const QString& name : {file, link, dir.path() + "/./x/../a.wav"})
    EXPECT_TRUE(inputs.protects(name)) << name.toStdString();
  EXPECT_FALSE(inputs.protects(dir.filePath("b.wav")));

  inputs.removeWaiting(file);
  EXPECT_TRUE(inputs.protects(link));  // queued twice
  inputs.take(file);  // the batch converts it: no longer waiting, still its own
  inputs.clearWaiting();
  EXPECT_TRUE(inputs.protects(link));
  // An output it wrote is known the same ways, by the input it came from.
  const QString output = dir.filePath("out.mp3");
  touch(output);
  QFile::link(output, dir.filePath("outlink.mp3"));
  inputs.addWritten(output, "/m/in.flac");
  for (const QString& name : {output, dir.filePath("outlink.mp3"), dir.path() + "//out.mp3"})
    EXPECT_EQ(inputs.writerOf(name), "/m/in.flac") << name.toStdString();
  EXPECT_EQ(inputs.writerOf(file), std::nullopt);
  EXPECT_FALSE(inputs.protects(output));
  inputs.releaseBatch();
  EXPECT_FALSE(inputs.protects(link));
  EXPECT_FALSE(inputs.protects(file));
  EXPECT_EQ(inputs.writerOf(output), std::nullopt);
}

TEST_F(Queue, StartsEmptyWithTheHintUnderTheDoorPanel) {
  EXPECT_TRUE(queued().isEmpty());
  EXPECT_TRUE(hintShown());
  EXPECT_EQ(hintText(), kShownDropHint);
  // The door panel lies above every other shown control of the window.
  QWidget* top = nullptr;
  for (QObject* child : window.children())
    if (auto* widget = qobject_cast<QWidget*>(child); widget && !widget->isHidden()) top = widget;
  EXPECT_EQ(top, window.picDoor);
}

TEST_F(Queue, OpenDialogAddsOneFileAndRemembersItsFolder) {
  window.picText->hide();  // a cancel returns before the hint is looked at
  window.imgAdd_Click();
  EXPECT_TRUE(queued().isEmpty());
  EXPECT_FALSE(hintShown());
  EXPECT_TRUE(window.mLastOpenFolder.isEmpty());

  modal.openAnswers = {"/music/song.mp4", "/music/more/a.wav  ", "/music/song.mp4"};
  for (int i = 0; i < 3; ++i) window.imgAdd_Click();
  const platform::FileDialogRequest& request = modal.openRequests.back();
  EXPECT_EQ(request.title, "Open Files");
  EXPECT_TRUE(request.fileName.isEmpty());
  ASSERT_EQ(request.filters.size(), 13);
  EXPECT_EQ(request.filters[7], qMakePair(QString("Real Video(*.rm)"), QString("*.rm")));
  EXPECT_EQ(request.filters[12], qMakePair(QString("All Media Formats(*.*)"), QString("*.*")));
  // Trailing blanks are kept in the path and trimmed for the tag; the same
  // file twice is queued twice.
  EXPECT_EQ(queued(), (QStringList{"/music/song.mp4", "/music/more/a.wav  ", "/music/song.mp4"}));
  EXPECT_EQ(tags(), (QStringList{"MP4", "WAV", "MP4"}));
  EXPECT_EQ(window.mLastOpenFolder, "/music/");
  EXPECT_FALSE(hintShown());
}

TEST_F(Queue, OpenDialogRefusesANameItCouldNotRead) {
  // Qt's dialog shows the bytes of a name that are not UTF-8 as U+FFFD, so
  // the path it hands back names nothing.
  ByteNamedFolder dir;
  touchRaw(platform::nameFromBytes(rawPath(dir.path()) + "/nonutf\xff\xfe.wav"));
  const QString chosen = dir.path() + "/nonutf" + QString(2, QChar::ReplacementCharacter) + ".wav";
  modal.openAnswers = {chosen};
  window.imgAdd_Click();
  EXPECT_TRUE(queued().isEmpty());
  ASSERT_EQ(modal.messages.size(), 1u);
  EXPECT_EQ(modal.messages[0].text,
            '"' + chosen + "\" was not added: its name can't be read, as it is not valid text. "
                           "Drop the file onto the list or add its folder instead.");
  EXPECT_EQ(modal.messages[0].title, "Open Files");
}

TEST_F(Queue, FolderRoadQueuesWhatTheSearchFindsBehindTheQueue) {
  QTemporaryDir tree, empty;
  touch(tree.path() + "/m/c.mp4");
  touch(tree.path() + "/only.wav  ");
  ASSERT_EQ(mkfifo(QFile::encodeName(tree.path() + "/m/pipe.wav").constData(), 0600), 0);
  window.txtAction->setText("menuAddaFolder");  // cancelled: nothing searched
  EXPECT_EQ(modal.folderTitles, std::vector<QString>{"Please select a folder:"});
  modal.folderAnswers = {empty.path()};
  window.imgToolbar_Click(6);  // finds nothing
  EXPECT_TRUE(queued().isEmpty());
  EXPECT_TRUE(hintShown());
  EXPECT_EQ(hintText(), kShownDropHint);

  dropFiles(list(), {"/music/first.mp3"});
  QString textDuringSearch;
  bool shownDuringSearch = false;
  QObject::connect(window.lstAddFolder->model(), &QAbstractItemModel::rowsInserted, [&] {
    textDuringSearch = hintText();
    shownDuringSearch = hintShown();
  });
  modal.folderAnswers = {tree.path()};
  window.imgToolbar_Click(6);
  EXPECT_EQ(textDuringSearch, "Searching Files...");
  EXPECT_TRUE(shownDuringSearch);
  EXPECT_EQ(queued(), (QStringList{"/music/first.mp3", tree.path() + "/only.wav  ",
                                   tree.path() + "/m/c.mp4"}));
  EXPECT_EQ(tags(), (QStringList{"MP3", "WAV", "MP4"}));
  EXPECT_EQ(window.lstAddFolder->count(), 0);
  EXPECT_FALSE(hintShown());
  EXPECT_EQ(hintText(), kShownDropHint);
}

TEST_F(Queue, ASecondFolderRoadDuringASearchLosesNothing) {
  QTemporaryDir first, second;
  QStringList firstFiles;
  for (int i = 0; i < 50; ++i) {
    firstFiles.append(QStringLiteral("%1/f%2").arg(first.path()).arg(i));
    touch(firstFiles.back());
  }
  touch(second.path() + "/s");
  // The second road starts as soon as the first search lets events in,
  // after it has found its first file.
  bool secondStarted = false;
  const auto connection = QObject::connect(
      window.lstAddFolder->model(), &QAbstractItemModel::rowsInserted, [&] {
        if (!std::exchange(secondStarted, true))
          QTimer::singleShot(0, [&] { window.imgToolbar_Click(6); });
      });
  const std::optional<QString> secondAnswers[] = {second.path(), std::nullopt, QString()};
  for (const std::optional<QString>& answer : secondAnswers) {
    window.menuForm->menuRemoveAll->trigger();
    secondStarted = false;
    modal.folderAnswers = {first.path(), answer};
    window.imgToolbar_Click(6);
    EXPECT_TRUE(modal.folderAnswers.empty());
    QStringList expected = firstFiles;
    if (answer && !answer->isEmpty()) expected.append(second.path() + "/s");
    QStringList files = queued();
    files.sort();
    expected.sort();
    EXPECT_EQ(files, expected) << (answer ? answer->toStdString() : "cancelled");
    EXPECT_EQ(window.lstAddFolder->count(), 0);
  }
  QObject::disconnect(connection);
}

TEST_F(Queue, DropsOnTheListAppendLocalFilesInOrderUntrimmed) {
  QTemporaryDir tree;
  QDir().mkpath(tree.path() + "/album.dir");
  const auto data = filesData({"/music/b.mp3", "/music/a.wav ", "/m/x.rm"});
  QList<QUrl> urls = data->urls();
  urls.insert(1, QUrl("https://example.com/c.mp3"));     // not a file
  urls.insert(2, QUrl("file://host/share/x.wav"));       // a file of another host
  urls.insert(3, QUrl("file://localhost/music/l.mp3"));  // this host's
  urls.append(QUrl::fromLocalFile(tree.path() + "/album.dir/"));
  data->setUrls(urls);

  EXPECT_EQ(dropOn(list(), *data), Qt::CopyAction);
  EXPECT_EQ(queued(), (QStringList{"/music/b.mp3", "/music/l.mp3", "/music/a.wav ", "/m/x.rm",
                                   tree.path() + "/album.dir"}));
  EXPECT_EQ(tags(), (QStringList{"MP3", "MP3", "AV ", ".RM", "DIR"}));
  EXPECT_FALSE(hintShown());
  EXPECT_FALSE(window.picDoor->isHidden());

  // The column header is part of the list.
  EXPECT_EQ(dropFiles(window.LV->header(), {"/music/h.mp3"}), Qt::CopyAction);
  EXPECT_EQ(queued().last(), "/music/h.mp3");
}

TEST_F(Queue, DroppedNamesKeepTheirBytes) {
  // As file managers send them: percent-encoded, or raw bytes from others.
  const ForeignDrop data("# a comment line\r\nfile:///m/nonutf%FF%FE.wav\r\n"
                         "file:///m/raw\xff\xfe.wav\r\nfile://localhost/m/%C3%A9t%C3%A9%20.mp3\r\n");
  EXPECT_EQ(dropOn(list(), data), Qt::CopyAction);
  QList<QByteArray> bytes;
  for (const QString& path : queued()) bytes.append(rawPath(path));
  EXPECT_EQ(bytes, (QList<QByteArray>{"/m/nonutf\xff\xfe.wav", "/m/raw\xff\xfe.wav",
                                      "/m/\xc3\xa9t\xc3\xa9 .mp3"}));
  // The list shows each byte it cannot read as a replacement character.
  const QString unreadable(2, QChar::ReplacementCharacter);
  EXPECT_EQ(shown(), (QStringList{"/m/nonutf" + unreadable + ".wav", "/m/raw" + unreadable + ".wav",
                                  QString::fromUtf8("/m/\xc3\xa9t\xc3\xa9 .mp3")}));
}

TEST_F(Queue, DropOnTheDoorPanelHidesItWhateverTheDataHolds) {
  QMimeData text;
  text.setText("just words");
  EXPECT_EQ(dropOn(list(), text), Qt::CopyAction);
  EXPECT_EQ(dropOn(window.picDoor, text), Qt::CopyAction);
  EXPECT_TRUE(window.picDoor->isHidden());
  EXPECT_TRUE(queued().isEmpty());
  EXPECT_TRUE(hintShown());

  frmMain other;
  EXPECT_EQ(dropOn(other.picDoor, *filesData({"/a.mp3", "/b.ogg"})), Qt::CopyAction);
  EXPECT_TRUE(other.picDoor->isHidden());
  EXPECT_EQ(other.lstFile->count(), 2);
  EXPECT_TRUE(other.picText->isHidden());
}

TEST_F(Queue, RemoveSelectedTakesTheSameFileOutOfBothLists) {
  dropFiles(list(), {"/a.mp3", "/b.mp3", "/c.mp3"});
  window.imgRemove_Click();  // nothing selected
  EXPECT_EQ(queued().size(), 3);

  window.LV->topLevelItem(1)->setSelected(true);
  window.menuForm->menuRemoveSelected->trigger();
  EXPECT_EQ(queued(), (QStringList{"/a.mp3", "/c.mp3"}));
  EXPECT_FALSE(window.mBatchInputs.protects("/b.mp3"));
  EXPECT_TRUE(window.mBatchInputs.protects("/c.mp3"));
  EXPECT_FALSE(hintShown());
  EXPECT_TRUE(window.txtAction->text().isEmpty());

  window.LV->topLevelItem(1)->setSelected(true);
  window.imgRemove_Click();
  window.LV->topLevelItem(0)->setSelected(true);
  window.imgRemove_Click();
  EXPECT_TRUE(queued().isEmpty());
  EXPECT_TRUE(hintShown());

  window.picText->hide();
  window.imgRemove_Click();  // on an empty list
  EXPECT_TRUE(hintShown());
}

TEST_F(Queue, RemoveAllEmptiesBothListsEvenOfADropArrivingMeanwhile) {
  dropFiles(list(), {"/a.mp3", "/b.mp3", "/c.mp3"});
  // As after the folder dialog: the list focused, its top row current. The
  // rows go from the top, and the current row does not walk down the list
  // (each step of it made the view lay out the whole list again).
  window.LV->selectionModel()->setCurrentIndex(window.LV->model()->index(0, 0),
                                               QItemSelectionModel::NoUpdate);
  std::vector<int> removedRows;
  int rowsMadeCurrent = 0;
  const QMetaObject::Connection watches[] = {
      QObject::connect(window.LV->model(), &QAbstractItemModel::rowsAboutToBeRemoved,
                       [&](const QModelIndex&, int first, int) { removedRows.push_back(first); }),
      QObject::connect(window.LV, &QTreeWidget::currentItemChanged,
                       [&](QTreeWidgetItem* now) { rowsMadeCurrent += now != nullptr; }),
  };
  // Chosen from the Remove popup, which opens at the mouse pointer; a drop
  // arrives at the first moment Remove All lets events in.
  int listItemsAtDrop = -1;
  QPoint popupAt;
  QMenu* popped = nullptr;
  modal.onPopup = [&](QMenu* menu, const QPoint& pos) {
    popped = menu;
    popupAt = pos;
    QTimer::singleShot(0, [&] {
      listItemsAtDrop = window.LV->topLevelItemCount();
      dropFiles(list(), {"/late.mp3"});
    });
    window.menuForm->menuRemoveAll->trigger();
    return window.menuForm->menuRemoveAll;
  };
  window.lblText->setText("Searching Files...");
  window.imgToolbar_Click(1);

  EXPECT_EQ(popped, window.menuForm->menuRemove);
  EXPECT_EQ(popupAt, QCursor::pos());
  EXPECT_EQ(listItemsAtDrop, 2);
  EXPECT_EQ(removedRows, std::vector<int>(4, 0));
  EXPECT_EQ(rowsMadeCurrent, 0);
  for (const QMetaObject::Connection& watch : watches) QObject::disconnect(watch);
  EXPECT_TRUE(queued().isEmpty());
  for (const char* gone : {"/a.mp3", "/late.mp3"}) EXPECT_FALSE(window.mBatchInputs.protects(gone));
  EXPECT_TRUE(hintShown());
  EXPECT_EQ(hintText(), kShownDropHint);
}

TEST_F(Queue, OutputFolderDialogAndItsCancel) {
  modal.folderAnswers = {"/music/out", std::nullopt};
  window.imgBrowse_Click();
  EXPECT_EQ(window.txtPath->text(), "/music/out");
  window.imgBrowse_Click();  // a cancel means the default folder, not the former choice
  EXPECT_EQ(window.txtPath->text(), programFolder.path() + "/output");
  EXPECT_EQ(modal.folderTitles, std::vector<QString>(2, "Please select a folder:"));
}

TEST_F(Queue, TheDoorPanelHidesOnTheToolbarAndTheDoorButtonOnly) {
  modal.openAnswers = {"/music/a.mp3"};
  window.txtAction->setText("AddaFile");  // the File menu's road leaves the panel up
  EXPECT_FALSE(window.picDoor->isHidden());
  EXPECT_EQ(queued(), QStringList{"/music/a.mp3"});
  window.txtAction->setText("addafile");  // words are exact
  EXPECT_EQ(modal.openRequests.size(), 1u);
  EXPECT_TRUE(window.txtAction->text().isEmpty());

  emit window.imgDoorButton->clicked();
  EXPECT_TRUE(window.picDoor->isHidden());
  EXPECT_EQ(modal.openRequests.size(), 2u);

  frmMain other;
  emit other.imgToolbar[3]->clicked();  // any toolbar button hides it
  EXPECT_TRUE(other.picDoor->isHidden());
}

TEST_F(Queue, DoorButtonLightsUnderTheMouseAndDarkensOverThePanel) {
  const auto moveOver = [](QWidget* w) {
    QMouseEvent move(QEvent::MouseMove, QPointF(3, 3), w->mapToGlobal(QPointF(3, 3)),
                     Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &move);
  };
  EXPECT_TRUE(window.imgDoorButton->pixmap().isNull());
  moveOver(window.imgDoorButton);
  EXPECT_EQ(window.imgDoorButton->pixmap().size(), QSize(266, 29));
  moveOver(window.picDoor);
  EXPECT_TRUE(window.imgDoorButton->pixmap().isNull());
}

TEST_F(Queue, FileDroppedDuringABatchIsConvertedAfterThoseQueuedBefore) {
  writeScript(programFolder.file("data/conv"),
              "printf '%s\\n' \"$2\" >> \"$(dirname \"$0\")/inputs.log\"\n");
  window.txtPath->setText(programFolder.file("out"));
  dropFiles(list(), {"/in/a.wav", "/in/b.wav"});
  bool droppedWhileBusy = false;
  QTimer::singleShot(150, [&] {
    droppedWhileBusy = !window.imgConvert->isEnabled() && window.lstFile->count() > 0;
    dropFiles(list(), {"/in/late.wav"});
  });
  window.imgStart_Click();
  QElapsedTimer clock;
  clock.start();
  while (!window.imgConvert->isEnabled() && clock.elapsed() < 10000)
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);

  EXPECT_TRUE(droppedWhileBusy);
  EXPECT_TRUE(queued().isEmpty());
  QFile log(programFolder.file("data/inputs.log"));
  ASSERT_TRUE(log.open(QIODevice::ReadOnly));
  EXPECT_EQ(QString::fromUtf8(log.readAll()), "/in/a.wav\n/in/b.wav\n/in/late.wav\n");
}
