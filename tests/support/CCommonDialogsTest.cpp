#include <gtest/gtest.h>

#include <QColorDialog>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QPushButton>
#include <functional>

#include "ScriptedModal.h"
#include "TempFolder.h"
#include "platform/DialogSetup.h"
#include "platform/FileDialogFilters.h"
#include "support/CCommonDialogs.h"
#include "support/COMDLG.h"
#include "support/FileDialogRules.h"

namespace {
using Pairs = QList<QPair<QString, QString>>;

struct CommonDialogs : ::testing::Test {
  ScriptedModal modal;
  QWidget owner;
  CCommonDialogs dialogs;
  CommonDialogs() { dialogs.Init(&owner); }
};
}  // namespace

TEST(FileDialogRules, FilterTextBecomesDescriptionPatternPairs) {
  EXPECT_EQ(dialogs::filterPairs("A|a|B|b"), (Pairs{{"A", "a"}, {"B", "b"}}));
  EXPECT_EQ(dialogs::filterPairs("Audio|*.mp3;*.wav"), (Pairs{{"Audio", "*.mp3;*.wav"}}));
  EXPECT_EQ(dialogs::filterPairs(""), Pairs{});
  EXPECT_EQ(dialogs::filterPairs("A|a|B"), (Pairs{{"A", "a"}}));  // no pattern for B
  EXPECT_EQ(dialogs::filterPairs("A||B|b"), Pairs{});             // the list ends at ""
  EXPECT_EQ(dialogs::filterPairsOrAllFiles("  "), (Pairs{{"*.*", "*.*"}}));
  EXPECT_EQ(dialogs::filterPairsOrAllFiles("A|a"), (Pairs{{"A", "a"}}));
}

TEST_F(CommonDialogs, GetsOfTitlePathAndNamesStopAtTheFirstNul) {
  const QString withNul = QString("one") + QChar(0) + "two";
  for (auto set :
       {&CCommonDialogs::setTitle, &CCommonDialogs::setPath, &CCommonDialogs::setFileTitle,
        &CCommonDialogs::setFileName, &CCommonDialogs::setFilter, &CCommonDialogs::setFontName})
    (dialogs.*set)(withNul);
  EXPECT_EQ(dialogs.Title() + dialogs.Path() + dialogs.FileTitle() + dialogs.FileName(),
            "oneoneoneone");
  EXPECT_EQ(dialogs.Filter(), withNul);  // these come back whole
  EXPECT_EQ(dialogs.FontName(), withNul);
}

TEST_F(CommonDialogs, ConfirmedOpenFillsNameTitleAndPath) {
  modal.openAnswers.push_back(QStringLiteral("/music/song.mp3"));
  dialogs.setFilter("Media|*.mp3;*.wav|All|*.*");
  dialogs.setTitle("Open Files");
  dialogs.setPath("/elsewhere");  // not read: the dialog starts in the current directory
  ASSERT_TRUE(dialogs.ShowOpen());
  EXPECT_EQ(dialogs.FileName(), "/music/song.mp3");
  EXPECT_EQ(dialogs.FileTitle(), "song.mp3");
  EXPECT_EQ(dialogs.Path(), "/music");

  ASSERT_EQ(modal.openRequests.size(), 1u);
  const platform::FileDialogRequest& request = modal.openRequests[0];
  EXPECT_EQ(request.folder, QDir::currentPath());
  EXPECT_EQ(request.title, "Open Files");
  EXPECT_EQ(request.filters, (Pairs{{"Media", "*.mp3;*.wav"}, {"All", "*.*"}}));

  modal.openAnswers.push_back(QStringLiteral("/top.mp3"));
  ASSERT_TRUE(dialogs.ShowOpen());
  EXPECT_EQ(dialogs.Path(), "/");
}

TEST_F(CommonDialogs, TheDialogListsEachDescriptionOnceAndStarDotStarOffersEveryFile) {
  dialogs.setFilter("MP4 Files(*.mp4)|*.mp4|Audio|*.mp3;*.wav|All Media Formats(*.*)|*.*");
  dialogs.ShowOpen();
  QFileDialog dialog;
  dialog.setOption(QFileDialog::DontUseNativeDialog);  // its widgets are what the test reads
  platform::setFileFilters(dialog, modal.openRequests.back().filters);

  const auto* types = dialog.findChild<QComboBox*>("fileTypeCombo");
  ASSERT_NE(types, nullptr);
  QStringList shown;
  for (int i = 0; i < types->count(); ++i) shown.append(types->itemText(i));
  EXPECT_EQ(shown, (QStringList{"MP4 Files(*.mp4)", "Audio", "All Media Formats(*.*)"}));

  const auto* files = dialog.findChild<QFileSystemModel*>();
  ASSERT_NE(files, nullptr);
  const auto offers = [&](int filter, const QString& name) {
    dialog.selectNameFilter(dialog.nameFilters()[filter]);
    return QDir::match(files->nameFilters(), name);
  };
  EXPECT_TRUE(offers(1, "b.wav"));
  EXPECT_FALSE(offers(1, "c.mp4"));
  EXPECT_TRUE(offers(2, "README"));
  EXPECT_TRUE(offers(2, "c.mp4"));
}

TEST_F(CommonDialogs, CancelChangesNothing) {
  dialogs.setFileName("keep.mp3");
  dialogs.setFileTitle("title");
  dialogs.setPath("/keep");
  dialogs.setColor(0x123456);
  dialogs.setFontName("Sans");
  EXPECT_FALSE(dialogs.ShowOpen());
  EXPECT_FALSE(dialogs.ShowFolder());
  EXPECT_FALSE(dialogs.ShowColor(true));
  EXPECT_FALSE(dialogs.ShowFont());
  EXPECT_FALSE(dialogs.ShowPrinter());
  EXPECT_FALSE(dialogs.ShowPrinterProperties());
  EXPECT_EQ(dialogs.FileName(), "keep.mp3");
  EXPECT_EQ(dialogs.FileTitle(), "title");
  EXPECT_EQ(dialogs.Path(), "/keep");
  EXPECT_EQ(dialogs.Color(), 0x123456u);
  EXPECT_EQ(dialogs.FontName(), "Sans");
  EXPECT_EQ(modal.printerCalls + modal.printerPropertiesCalls, 2);
}

TEST_F(CommonDialogs, SaveStartsInANormalisedPathKeptEvenOnCancel) {
  TempProgramFolder program;
  const QString existing = program.file("songs");
  QDir().mkpath(existing);

  dialogs.setPath(existing);
  EXPECT_FALSE(dialogs.ShowSave());
  EXPECT_EQ(dialogs.Path(), existing + "/");
  EXPECT_EQ(modal.saveRequests.back().folder, existing + "/");
  EXPECT_EQ(modal.saveRequests.back().title, "Save");
  EXPECT_EQ(modal.saveRequests.back().filters, (Pairs{{"*.*", "*.*"}}));

  dialogs.setPath(program.file("missing"));
  modal.saveAnswers.push_back(existing + "/out.txt");
  ASSERT_TRUE(dialogs.ShowSave());
  EXPECT_EQ(modal.saveRequests.back().folder, program.path());
  EXPECT_EQ(dialogs.FileName(), existing + "/out.txt");
  EXPECT_EQ(dialogs.FileTitle(), "out.txt");
  EXPECT_EQ(dialogs.Path(), existing);
}

TEST_F(CommonDialogs, FolderColourAndFontTakeTheChoice) {
  dialogs.setTitle("Pick");
  dialogs.setFileName("x");
  dialogs.setFileTitle("y");
  modal.folderAnswers.push_back(QStringLiteral("/music"));
  ASSERT_TRUE(dialogs.ShowFolder());
  EXPECT_EQ(modal.folderTitles.back(), "Pick");
  EXPECT_EQ(dialogs.Path(), "/music");
  EXPECT_EQ(dialogs.FileName(), "");
  EXPECT_EQ(dialogs.FileTitle(), "");

  modal.colorAnswers.push_back(QColor(0x11, 0x22, 0x33));
  ASSERT_TRUE(dialogs.ShowColor());
  EXPECT_EQ(dialogs.Color(), 0x332211u);  // 0x00BBGGRR

  QFont chosen(QStringLiteral("Serif"));
  chosen.setPointSizeF(10.7);
  chosen.setBold(true);
  chosen.setItalic(true);
  chosen.setUnderline(true);
  modal.fontAnswers.push_back(chosen);
  ASSERT_TRUE(dialogs.ShowFont());
  EXPECT_EQ(dialogs.FontName(), "Serif");
  EXPECT_EQ(dialogs.FontSize(), 10);  // whole points, the rest dropped
  EXPECT_TRUE(dialogs.FontBold());
  EXPECT_TRUE(dialogs.FontItalic());
  EXPECT_FALSE(dialogs.FontUnderline());  // not taken back

  modal.printerAnswer = true;
  EXPECT_TRUE(dialogs.ShowPrinter());
}

TEST_F(CommonDialogs, EachDialogGetsItsCallersFlagsAndQtsDialogFollowsThem) {
  struct Case {
    const char* road;
    std::function<void()> call;
    QFileDialog::AcceptMode mode;
    uint32_t flags;
    bool onlyExistingFiles, asksBeforeReplacing;
  } cases[] = {
      {"ShowOpen", [&] { dialogs.ShowOpen(); }, QFileDialog::AcceptOpen, 0x201004, true, false},
      {"ShowSave", [&] { dialogs.ShowSave(); }, QFileDialog::AcceptSave, 0x200004, false, false},
      {"ShowOpenFile without flags", [] { COMDLG::ShowOpenFile(nullptr, "t", ""); },
       QFileDialog::AcceptOpen, 0, false, false},
      {"ShowOpenFile, must exist", [] { COMDLG::ShowOpenFile(nullptr, "t", "", "", 0x1000); },
       QFileDialog::AcceptOpen, 0x1000, true, false},
      {"ShowOpenFile, overwrite prompt", [] { COMDLG::ShowOpenFile(nullptr, "t", "", "", 0x2); },
       QFileDialog::AcceptOpen, 0x2, false, true},
  };
  for (const Case& c : cases) {
    c.call();
    const auto& asked = c.mode == QFileDialog::AcceptSave ? modal.saveRequests : modal.openRequests;
    ASSERT_FALSE(asked.empty()) << c.road;
    EXPECT_EQ(asked.back().flags, c.flags) << c.road;
    QFileDialog dialog;
    platform::prepareFileDialog(dialog, asked.back(), c.mode);
    EXPECT_EQ(dialog.fileMode() == QFileDialog::ExistingFile, c.onlyExistingFiles) << c.road;
    EXPECT_EQ(!dialog.testOption(QFileDialog::DontConfirmOverwrite), c.asksBeforeReplacing)
        << c.road;
  }
}

TEST_F(CommonDialogs, EveryColourDialogStartsFromABlackCustomTableAndExpandsWhenAsked) {
  const auto pickerShown = [](const QColorDialog& dialog) {
    for (const QWidget* part : dialog.findChildren<QWidget*>())
      if (part->metaObject()->className() == QByteArray("QColorPicker"))
        return part->isVisibleTo(&dialog);
    return false;
  };
  for (const bool expand : {false, true, false}) {
    QColorDialog::setCustomColor(3, Qt::red);  // what the user put there last time
    dialogs.ShowColor(expand);
    const platform::ColorDialogRequest& asked = modal.colorRequests.back();
    EXPECT_EQ(asked.expanded, expand);
    EXPECT_EQ(asked.customColors, QList<QColor>(16, Qt::black));

    QColorDialog dialog;
    platform::prepareColorDialog(dialog, asked);
    EXPECT_EQ(QColorDialog::customColor(3), QColor(Qt::black));
    EXPECT_EQ(pickerShown(dialog), expand);
    if (auto* define = dialog.findChild<QPushButton*>("defineCustomColors")) define->click();
    EXPECT_TRUE(pickerShown(dialog)) << expand;
  }
}

TEST(COMDLG, ShowOpenFileFallsBackToTheProgramFolderAndOffersEveryFile) {
  ScriptedModal modal;
  TempProgramFolder program;
  const QString existing = program.file("in");
  QDir().mkpath(existing);

  struct Case {
    QString folder;
    QString expectedStart;
  } cases[] = {
      {existing, existing + "/"},
      {existing + "/", existing + "/"},
      {program.file("missing"), program.path()},
      {"", program.path()},
      {"   ", program.path()},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(COMDLG::ShowOpenFile(nullptr, "Pick", c.folder), "");
    EXPECT_EQ(modal.openRequests.back().folder, c.expectedStart) << c.folder.toStdString();
  }
  EXPECT_EQ(modal.openRequests.back().title, "Pick");
  EXPECT_EQ(modal.openRequests.back().filters, (Pairs{{"*.*", "*.*"}}));

  modal.openAnswers.push_back(existing + "/a.mp3");
  EXPECT_EQ(COMDLG::ShowOpenFile(nullptr, "Pick", existing, "Audio|*.mp3"), existing + "/a.mp3");
  EXPECT_EQ(modal.openRequests.back().filters, (Pairs{{"Audio", "*.mp3"}}));
}
