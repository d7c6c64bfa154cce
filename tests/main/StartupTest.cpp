#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <memory>

#include "FailingWrites.h"
#include "FileBytes.h"
#include "ScriptedModal.h"
#include "TempFolder.h"
#include "common/Density.h"
#include "main/frmMain.h"
#include "options/OptionValues.h"
#include "skin/ImageButton.h"
#include "support/CCommonDialogs.h"

namespace {

struct Startup : ::testing::Test {
  Density density;
  ScriptedModal modal;
  TempProgramFolder program;
  QString setupPath = program.file("setup.ini");
  QString defaultFolder = program.file("output");
  int ended = 0;

  ~Startup() override {
    gNoSound = gCutEnabled = 0;
    gCutStart = gCutLength = 0;
  }

  std::unique_ptr<frmMain> load() {
    auto window = std::make_unique<frmMain>();
    window->endProgram = [this] { ++ended; };
    EXPECT_TRUE(window->Form_Load());
    return window;
  }
};

struct Settings {
  int bitrate, rate, channels;
  QString folder;
  int format;
};

void expectSettings(const frmMain& w, const Settings& s) {
  EXPECT_EQ(w.cmbBR->currentIndex(), s.bitrate);
  EXPECT_EQ(w.cmbR->currentIndex(), s.rate);
  EXPECT_EQ(w.cmbChannel->currentIndex(), s.channels);
  EXPECT_EQ(w.txtPath->text(), s.folder);
  EXPECT_EQ(w.cmbOF->currentIndex(), s.format);
}

}  // namespace

TEST_F(Startup, WithoutSetupFileTheWindowHasItsDefaults) {
  writeBytes(program.file("options.ini"), "1\r\n1\r\n90\r\n120\r\n");
  auto w = load();
  EXPECT_EQ(w->cmbOF->currentText(), "WMA");
  EXPECT_EQ(w->cmbBR->currentText(), "192");
  EXPECT_EQ(w->cmbR->currentText(), "44100");
  EXPECT_EQ(w->cmbChannel->currentText(), "Stereo");
  EXPECT_EQ(w->txtPath->text(), defaultFolder);
  EXPECT_FALSE(QDir(defaultFolder).exists());  // not created at start-up
  EXPECT_EQ(w->lblWeb->text(), "Dabrelin");
  EXPECT_EQ(w->lblWeb->palette().color(QPalette::WindowText), QColor(Qt::black));
  EXPECT_EQ(w->progressWidth(), 0.0f);
  EXPECT_TRUE(w->Timer2->isActive());
  ASSERT_NE(objCommonDialogs, nullptr);
  EXPECT_EQ(gNoSound, 1);  // options.ini was loaded
  EXPECT_EQ(gCutLength, 120);
  EXPECT_EQ(w->skin.Left, -10440 - 100);  // parked out of sight until Timer2
  EXPECT_FALSE(QFile::exists(setupPath));
}

TEST_F(Startup, SetupFileIsAppliedFieldByField) {
  struct Case {
    QByteArray text;
    Settings expected;
  } cases[] = {
      {"\"3\"\r\n\"0\"\r\n\"0\"\r\n\"/music/out\"\r\n\"7\"\r\n", {3, 0, 0, "/music/out", 7}},
      {"\"99\"\r\n\"4\"\r\n\"0\"\r\n\"/o\"\r\n\"2\"\r\n", {8, 4, 0, "/o", 2}},
      {"\"abc\"\r\n\"8\"\r\n\"2\"\r\n\"/o\"\r\n\"-2\"\r\n", {8, 1, 1, "/o", 1}},  // off the lists
      {"\"-1\"\r\n\"-1\"\r\n\"-1\"\r\n\"/o\"\r\n\"-1\"\r\n", {8, 1, 1, "/o", 1}},
      {"\"9\"\r\n\"2\"\r\n\"0\"\r\n", {9, 2, 0, "", 1}},                   // three lines
      {"\"8\"\r\n\"1\"\r\n\"1\"\r\n\"\"\r\n\"0\"\r\n", {8, 1, 1, "", 0}},  // empty folder
      {"\"\r\n", {8, 1, 1, "", 1}},
  };
  for (Case& c : cases) {
    if (c.expected.folder.isEmpty()) c.expected.folder = defaultFolder;
    writeBytes(setupPath, c.text);
    SCOPED_TRACE(c.text.toStdString());
    expectSettings(*load(), c.expected);
  }
}

TEST_F(Startup, AFolderNamedSetupIniCountsAsAbsent) {
  QDir().mkdir(setupPath);
  expectSettings(*load(), {8, 1, 1, defaultFolder, 1});
}

TEST_F(Startup, ExitWritesTheSettingsAndEnds) {
  auto w = load();
  w->imgExit->clicked();
  EXPECT_EQ(readBytes(setupPath),
            "\"8\"\r\n\"1\"\r\n\"1\"\r\n\"" + defaultFolder.toUtf8() + "\"\r\n\"1\"\r\n");
  EXPECT_EQ(ended, 1);
}

TEST_F(Startup, SettingsSurviveARestartThroughExit) {
  writeBytes(setupPath, "\"0\"\r\n\"6\"\r\n\"0\"\r\n\"/music/a, b\"\r\n\"7\"\r\n");
  load()->imgExit_Click();
  EXPECT_EQ(readBytes(setupPath), "\"0\"\r\n\"6\"\r\n\"0\"\r\n\"/music/a, b\"\r\n\"7\"\r\n");
  expectSettings(*load(), {0, 6, 0, "/music/a, b", 7});
}

TEST_F(Startup, ClosingAnyOtherWayWritesNothingButEnds) {
  auto w = load();
  w->cmbOF->setCurrentIndex(0);
  w->close();
  EXPECT_FALSE(QFile::exists(setupPath));
  EXPECT_EQ(ended, 1);

  const QByteArray former = "\"0\"\r\n\"0\"\r\n\"0\"\r\n\"/kept\"\r\n\"0\"\r\n";
  writeBytes(setupPath, former);
  auto again = load();
  again->cmbOF->setCurrentIndex(3);
  again->close();
  EXPECT_EQ(readBytes(setupPath), former);
}

TEST_F(Startup, ExitStillEndsWhenTheSettingsCannotBeSaved) {
  const QByteArray former = "\"0\"\r\n\"0\"\r\n\"0\"\r\n\"/kept\"\r\n\"0\"\r\n";
  writeBytes(setupPath, former);
  auto w = load();
  w->cmbOF->setCurrentIndex(3);
  {
    FailingWrites noRoom;
    w->imgExit_Click();
  }
  EXPECT_EQ(readBytes(setupPath), former);
  EXPECT_EQ(QDir(program.path()).entryList(QDir::Files), QStringList{"setup.ini"});
  EXPECT_EQ(ended, 1);

  QFile::setPermissions(setupPath, QFile::ReadOwner);
  load()->imgExit_Click();
  EXPECT_EQ(readBytes(setupPath), former);
  EXPECT_EQ(ended, 2);
}

// Other tests' unloads may remove these files meanwhile: no outcome here
// depends on which unload removes a file.
TEST_F(Startup, UnloadRemovesTheLeftoverTemporaryFilesUnlessReadOnly) {
  const QString wav = QStringLiteral("/tmp/tmpfile.wav");
  const QString mp3 = QStringLiteral("/tmp/tmpfile1.mp3");
  QFile::remove(wav);  // a read-only one from an earlier run
  writeBytes(wav, "RIFF");
  writeBytes(mp3, "ID3");
  auto w = load();
  w->Form_Unload();
  EXPECT_FALSE(QFile::exists(wav));
  EXPECT_FALSE(QFile::exists(mp3));
  EXPECT_EQ(ended, 1);

  // A folder of that name is no file: it stays and the program still ends.
  ASSERT_TRUE(QDir().mkdir(wav));
  w->Form_Unload();
  EXPECT_TRUE(QFileInfo(wav).isDir());
  EXPECT_EQ(ended, 2);
  QDir().rmdir(wav);

  // Read-only, even for the superuser: it stays. It appears read-only at
  // once, so no other unload can take it first.
  writeBytes(wav + ".part", "RIFF");
  QFile::setPermissions(wav + ".part", QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
  ASSERT_TRUE(QFile::rename(wav + ".part", wav));
  w->Form_Unload();
  EXPECT_TRUE(platform::isFilePresent(wav));
  EXPECT_EQ(ended, 3);
  QFile::remove(wav);
}

TEST_F(Startup, ScalingKeepsTheLayoutAtFifteenTwipsPerPixelAndScalesItOnceElsewhere) {
  auto at15 = load();
  const ControlGeometry& path15 = at15->layout[at15->txtPath];
  EXPECT_DOUBLE_EQ(path15.Left, 7320);
  EXPECT_DOUBLE_EQ(path15.Height, 345);

  twips::setPerPixel(12, 12);
  auto at12 = load();
  const ControlGeometry& path12 = at12->layout[at12->txtPath];
  EXPECT_DOUBLE_EQ(path12.Left, 7320 * 12 / 15.0);
  EXPECT_DOUBLE_EQ(path12.Top, 4950 * 12 / 15.0);
  EXPECT_DOUBLE_EQ(path12.Height, 345 * 12 / 15.0);
}
