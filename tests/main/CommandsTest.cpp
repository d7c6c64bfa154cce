#include "FakeProgram.h"
#include "FileBytes.h"
#include "MouseInput.h"
#include "PrintQString.h"
#include "ScriptedModal.h"
#include "TempFolder.h"
#include "common/Density.h"
#include "main/PictureBox.h"
#include "main/WebSite.h"
#include "main/frmMain.h"
#include "main/frmMenu.h"
#include "skin/ImageButton.h"
#include "support/CCommonDialogs.h"
#include "support/DOSOutputs.h"

#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>
#include <memory>

namespace {

const QUrl kTutorial(QStringLiteral("http://www.dabrelin.example/tutorial.html"));

struct Popup {
  QMenu* menu;
  QPoint at;
};

struct Commands : ::testing::Test {
  Density density;
  ScriptedModal modal;
  TempProgramFolder program;
  CCommonDialogs dialogs;
  std::unique_ptr<frmMain> w;
  std::vector<Popup> popups;
  std::vector<QString> modalWindows;  // class names of the windows run modally
  int ended = 0;

  Commands() {
    w = newWindow();
    modal.onModal = [this](QDialog* window) {
      modalWindows.push_back(QString::fromLatin1(window->metaObject()->className()));
      return int(QDialog::Rejected);
    };
  }
  ~Commands() override {
    objCommonDialogs = nullptr;
  }

  std::unique_ptr<frmMain> newWindow() {
    auto window = std::make_unique<frmMain>();
    window->endProgram = [this] { ++ended; };
    dialogs.Init(window.get());
    objCommonDialogs = &dialogs;
    return window;
  }

  // Answers every popup with `item` (nullptr: dismissed) the way the real
  // menu does: the chosen item's handler runs before the popup returns.
  void answerPopupsWith(QAction* item) {
    modal.onPopup = [this, item](QMenu* menu, const QPoint& at) {
      popups.push_back({menu, at});
      if (item) item->trigger();
      return item;
    };
  }

  void forgetRequests() {
    modal.messages.clear();
    modal.openRequests.clear();
    modal.folderTitles.clear();
    modal.openedUrls.clear();
    modalWindows.clear();
    popups.clear();
  }

  bool nothingPerformed() const {
    return modal.messages.empty() && modal.openRequests.empty() && modal.folderTitles.empty() &&
           modal.openedUrls.empty() && modalWindows.empty() && ended == 0 &&
           !w->picDoor->isHidden();
  }

  QStringList queued() const {
    QStringList files;
    for (int i = 0; i < w->lstFile->count(); ++i) files.append(w->lstFile->item(i)->text());
    return files;
  }
};

void touch(const QString& path) { QFile(path).open(QIODevice::WriteOnly); }

TEST_F(Commands, MenuLinePopupsHangFromTheClickedImageWhereverThePointerIs) {
  struct Case {
    int index;
    QMenu* frmMenu::*menu;
    QPoint corner;  // pixels: (Left, Top + Height) of the image at 15 twips per pixel
  } cases[] = {{0, &frmMenu::menuFile, {18, 46}},
               {1, &frmMenu::menuOptions, {60, 46}},
               {2, &frmMenu::menuAbout, {122, 46}}};
  answerPopupsWith(nullptr);
  const auto expectCorners = [&](frmMain& window) {
    for (const Case& c : cases) {
      popups.clear();
      mouse::click(window.imgMenu[c.index]);  // at its centre, away from the corner
      ASSERT_EQ(popups.size(), 1u) << c.index;
      EXPECT_EQ(popups[0].menu, window.menuForm->*c.menu) << c.index;
      EXPECT_EQ(popups[0].at, window.mapToGlobal(c.corner)) << c.index;
    }
  };
  w->move(100, 60);
  expectCorners(*w);
  // Built at 12 twips per pixel and rescaled: the corners follow the images.
  twips::setPerPixel(12, 12);
  auto rescaled = newWindow();
  rescaled->skin.ScaleToDpi();
  rescaled->move(300, 20);
  expectCorners(*rescaled);
  twips::setPerPixel(15, 15);

  // Other indexes pop nothing up; a dismissed popup writes nothing.
  popups.clear();
  for (int16_t index : {-1, 3, 6}) w->imgMenu_Click(index);
  EXPECT_TRUE(popups.empty());
  EXPECT_TRUE(nothingPerformed());
  EXPECT_TRUE(w->txtAction->text().isEmpty());
}

TEST_F(Commands, AMenuLineImageGoesDarkWhenItsMenuClosesHoweverItCloses) {
  // Esc and a click elsewhere both close the menu with nothing chosen.
  struct Case {
    int index;
    QAction* frmMenu::*chosen;  // nullptr: closed with nothing chosen
  } cases[] = {{0, nullptr}, {1, nullptr}, {2, nullptr},
               {0, &frmMenu::menuAddaFile}, {1, &frmMenu::menuOption}, {2, &frmMenu::menuHelp}};
  for (const Case& c : cases) {
    answerPopupsWith(c.chosen ? w->menuForm->*c.chosen : nullptr);
    mouse::move(w->imgMenu[c.index]);
    ASSERT_EQ(w->imgMenu[c.index]->look(), ImageButton::Look::Lit);
    mouse::click(w->imgMenu[c.index]);
    ASSERT_FALSE(popups.empty());
    for (ImageButton* image : w->imgMenu)
      EXPECT_EQ(image->look(), ImageButton::Look::Normal) << c.index << (c.chosen != nullptr);
  }
}

TEST_F(Commands, EachMenuItemPerformsItsActionAndOnlyTheToolbarRoadsHideTheDoorPanel) {
  QTemporaryDir folder;
  struct Case {
    const char* caption;
    int image;  // the menu-line image whose popup holds the item
    QAction* frmMenu::*item;
    bool hidesDoor;
    std::function<bool(Commands&)> performed;
  } cases[] = {
      {"Add a File(&A)", 0, &frmMenu::menuAddaFile, false,
       [](Commands& t) { return t.queued() == QStringList{"/music/a.mp4"}; }},
      {"Add a Folder(&F)", 0, &frmMenu::menuAddaFolder, true,
       [](Commands& t) { return t.modal.folderTitles.size() == 1; }},
      {"Options(&O)", 1, &frmMenu::menuOption, true,
       [](Commands& t) { return t.modalWindows == std::vector<QString>{"frmOptions"}; }},
      {"Help(&H)", 2, &frmMenu::menuHelp, false,
       [](Commands& t) { return t.modal.openedUrls == std::vector<QUrl>{kTutorial}; }},
      {"About(&A)", 2, &frmMenu::menuA, false,
       [](Commands& t) { return t.modal.messages.size() == 1; }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.caption);
    w = newWindow();
    forgetRequests();
    modal.openAnswers = {"/music/a.mp4"};
    modal.folderAnswers = {folder.path()};
    QAction* item = w->menuForm->*c.item;
    EXPECT_EQ(item->text(), c.caption);
    answerPopupsWith(item);

    mouse::click(w->imgMenu[c.image]);
    ASSERT_EQ(popups.size(), 1u);
    EXPECT_TRUE(popups[0].menu->actions().contains(item));
    EXPECT_TRUE(c.performed(*this));
    EXPECT_EQ(w->picDoor->isHidden(), c.hidesDoor);
    EXPECT_TRUE(w->txtAction->text().isEmpty());
  }
}

TEST_F(Commands, OnlyExactWordsArePerformedAndTheBoxIsEmptiedEveryTime) {
  for (const char* text : {"a", "A ", " A", "menuhelp", "menuHelp ", "MENUEXIT", "menuOptions",
                           "Remove Selected", "AddaFile ", "Help", "About", "x"}) {
    w->txtAction->setText(text);
    EXPECT_TRUE(w->txtAction->text().isEmpty()) << text;
  }
  EXPECT_TRUE(nothingPerformed());
}

TEST_F(Commands, TheSameItemTwiceInARowPerformsTwice) {
  answerPopupsWith(w->menuForm->menuA);
  mouse::click(w->imgMenu[2]);
  mouse::click(w->imgMenu[2]);
  answerPopupsWith(w->menuForm->menuHelp);
  mouse::click(w->imgMenu[2]);
  mouse::click(w->imgMenu[2]);
  EXPECT_EQ(modal.messages.size(), 2u);
  EXPECT_EQ(modal.openedUrls, std::vector<QUrl>(2, kTutorial));
}

TEST_F(Commands, AboutBoxIsAPlainMessageUnderTheProgramsName) {
  QString boxDuringMessage;
  modal.onMessage = [&](const ScriptedModal::Message&) { boxDuringMessage = w->txtAction->text(); };
  w->menuForm->menuA->trigger();
  ASSERT_EQ(modal.messages.size(), 1u);
  const ScriptedModal::Message& about = modal.messages[0];
  const QStringList lines = about.text.split('\n');
  ASSERT_EQ(lines.size(), 3);
  EXPECT_TRUE(lines[0].contains("Dabrelin"));
  EXPECT_EQ(lines[2], kHomePage);
  EXPECT_TRUE(about.title.isEmpty());  // the platform shows the program's name
  EXPECT_EQ(about.icon, platform::MessageIcon::None);
  EXPECT_EQ(boxDuringMessage, "A");
  EXPECT_TRUE(w->txtAction->text().isEmpty());
}

TEST_F(Commands, ExitFromTheFileMenuSavesTheSettingsAndEndsWithinTheDispatch) {
  w->cmbOF->setCurrentIndex(3);
  QString boxAtEnd;
  QByteArray savedAtEnd;
  w->endProgram = [&] {
    ++ended;
    boxAtEnd = w->txtAction->text();
    savedAtEnd = readBytes(program.file("setup.ini"));
  };
  answerPopupsWith(w->menuForm->menuExit);
  mouse::click(w->imgMenu[0]);
  EXPECT_EQ(ended, 1);
  EXPECT_EQ(boxAtEnd, "menuExit");  // nothing after the exit ran before the end
  EXPECT_TRUE(savedAtEnd.endsWith("\"3\"\r\n")) << savedAtEnd.toStdString();
  EXPECT_FALSE(w->picDoor->isHidden());
}

TEST_F(Commands, WordsWrittenDuringAFolderSearchArePerformedOnceEvenTheSameWord) {
  QTemporaryDir first, second;
  for (int i = 0; i < 5; ++i) touch(QStringLiteral("%1/f%2").arg(first.path()).arg(i));
  touch(second.path() + "/s");
  modal.folderAnswers = {first.path(), second.path()};
  // The menu line stays usable while the folder road lets events in.
  QTimer::singleShot(0, [&] {
    w->menuForm->menuAddaFolder->trigger();  // while the box still holds this word
    w->menuForm->menuHelp->trigger();
  });
  w->menuForm->menuAddaFolder->trigger();

  EXPECT_EQ(modal.openedUrls, std::vector<QUrl>{kTutorial});
  EXPECT_EQ(modal.folderTitles.size(), 2u);
  QStringList files = queued();
  EXPECT_EQ(files.size(), 6);
  files.removeDuplicates();
  EXPECT_EQ(files.size(), 6);
  EXPECT_TRUE(w->txtAction->text().isEmpty());
}

TEST_F(Commands, HelpAndHomePageLinksOpenTheirPages) {
  mouse::move(w->imgHelp);
  mouse::click(w->imgHelp);
  EXPECT_TRUE(w->imgHelp->pixmap().isNull());  // dark again after the click
  mouse::click(w->lblWeb);
  EXPECT_EQ(modal.openedUrls, (std::vector<QUrl>{kTutorial, QUrl(kHomePage)}));
  EXPECT_EQ(w->lblWeb->toolTip(), kHomePage);

  emit w->imgToolbar[3]->clicked();  // the toolbar's Help
  EXPECT_EQ(modal.openedUrls.back(), kTutorial);
  EXPECT_TRUE(w->picDoor->isHidden());
}

TEST_F(Commands, DuringABatchHelpAndTheLinkWorkTheMenuLineDoesNotAndTheBatchGoesOn) {
  writeScript(program.file("data/conv"), "sleep 0.2\n");
  w->txtPath->setText(program.file("out"));
  modal.openAnswers = {"/in/a.wav", "/in/b.wav"};
  w->imgAdd_Click();
  w->imgAdd_Click();
  answerPopupsWith(nullptr);
  bool busy = false;
  std::vector<QUrl> openedDuringBatch;
  QTimer::singleShot(150, [&] {
    busy = !w->imgConvert->isEnabled() && w->lstFile->count() > 0;
    mouse::click(w->imgHelp);
    mouse::click(w->lblWeb);
    mouse::click(w->imgMenu[0]);
    openedDuringBatch = modal.openedUrls;
  });
  w->imgStart_Click();
  ASSERT_TRUE(processEventsUntil([&] { return w->imgConvert->isEnabled(); }, 10000));

  EXPECT_TRUE(busy);
  EXPECT_EQ(openedDuringBatch, (std::vector<QUrl>{kTutorial, QUrl(kHomePage)}));
  EXPECT_TRUE(popups.empty());
  EXPECT_TRUE(queued().isEmpty());  // both files were run
  EXPECT_EQ(w->lblPB->text(), "Done.");
}

}  // namespace
