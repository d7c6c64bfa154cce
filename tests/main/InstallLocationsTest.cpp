// A system-wide install: the program folder belongs to the superuser and an
// ordinary user runs the program. Every case runs as an ordinary user; the
// cases differ in the program folder's permission bits only.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QMimeData>
#include <QProcess>
#include <QTemporaryDir>
#include <QUrl>

#include "FileBytes.h"
#include "OrdinaryUser.h"
#include "PrintQString.h"
#include "ScriptedModal.h"
#include "TempFolder.h"
#include "main/OutputFolder.h"
#include "main/frmMain.h"
#include "options/OptionValues.h"
#include "options/OptionsFile.h"
#include "platform/SettingsFolder.h"

namespace {

// Whether another process finds `folder` locked.
bool lockedElsewhere(const QString& folder) {
  return QProcess::execute("flock", {"--nonblock", folder, "true"}) == 1;
}

// A program folder that the ordinary user may write or not, and a home
// folder of that user's own where the user's folders lie while it lives.
struct Install {
  TempProgramFolder program;
  QTemporaryDir home;
  const QByteArray formerHome = qgetenv("HOME"), formerConfig = qgetenv("XDG_CONFIG_HOME");

  explicit Install(bool writable) {
    OrdinaryUser::own(program.path());
    OrdinaryUser::own(home.path());
    QFile::setPermissions(program.path(),
                          QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther |
                              (writable ? QFile::WriteOwner : QFile::Permissions()));
    qputenv("HOME", QFile::encodeName(home.path()));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.filePath(".config")));
  }
  ~Install() {
    qputenv("HOME", formerHome);
    qputenv("XDG_CONFIG_HOME", formerConfig);  // empty counts as unset
  }
};

}  // namespace

TEST(InstallLocations, SettingsAndTheDefaultFolderLieWhereTheUserMayWrite) {
  ScriptedModal modal;
  for (const bool writable : {false, true}) {
    SCOPED_TRACE(writable ? "writable" : "read-only");
    Install install(writable);
    const QString config = install.home.filePath(".config/Dabrelin");
    const QString settings = writable ? install.program.path() : config;
    const QString output =
        writable ? install.program.file("output") : install.home.filePath("Music/Dabrelin");
    frmMain w;
    w.endProgram = [] {};
    {
      OrdinaryUser ordinary;
      ASSERT_NE(::geteuid(), 0u);
      EXPECT_EQ(platform::canWriteProgramFolder(), writable);
      ASSERT_TRUE(w.Form_Load());
      EXPECT_EQ(w.txtPath->text(), output);
      gNoSound = 1;
      SaveOptions();
      w.cmbOF->setCurrentIndex(0);
      w.imgExit_Click();
    }
    gNoSound = 0;
    EXPECT_EQ(readBytes(settings + "/setup.ini"),
              "\"8\"\r\n\"1\"\r\n\"1\"\r\n\"" + output.toUtf8() + "\"\r\n\"0\"\r\n");
    EXPECT_EQ(readBytes(settings + "/options.ini"), "1\r\n0\r\n0\r\n0\r\n");
    EXPECT_TRUE(lockedElsewhere(settings));
    if (writable) {
      EXPECT_FALSE(QDir(config).exists());
    } else {
      EXPECT_FALSE(lockedElsewhere(install.program.path()));
      EXPECT_EQ(QDir(install.program.path()).entryList(QDir::Files), QStringList());
    }
  }
}

TEST(InstallLocations, AnOutputFolderThatCannotBeMadeIsNamedWithTheSystemsReason) {
  ScriptedModal modal;
  Install install(false);
  const QString home = install.home.path(), programOutput = install.program.file("output");
  writeBytes(home + "/in.wav", "RIFF");
  OrdinaryUser::own(home + "/in.wav");
  OrdinaryUser ordinary;
  const struct {
    QString folder;
    const char* reason;  // none: the folder is there afterwards
  } cases[] = {
      {programOutput, "Permission denied"},
      {home + "/missing/out", "No such file or directory"},
      {home + "/in.wav/out", "Not a directory"},
      {home + "/in.wav", "File exists"},
      {home + "/out", nullptr},
      {home + "/out", nullptr},             // already there
      {home + "/Music/Dabrelin", nullptr},  // the default, with the music folder
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.folder.toStdString());
    const std::optional<QString> failure = makeOutputFolder(c.folder);
    if (c.reason) {
      EXPECT_EQ(failure, "the output folder " + c.folder + " cannot be made: " + c.reason);
    } else {
      EXPECT_EQ(failure, std::nullopt);
      EXPECT_TRUE(QFileInfo(c.folder).isDir());
    }
  }

  // A batch names it for each file it could not convert.
  frmMain w;
  w.txtPath->setText(programOutput);
  QMimeData dropped;
  dropped.setUrls({QUrl::fromLocalFile(home + "/in.wav")});
  Qt::DropAction effect = Qt::CopyAction;
  w.LV_OLEDragDrop(&dropped, effect);
  w.imgStart_Click();
  for (QDeadlineTimer deadline(10000); w.lblPB->text() != "Done." && !deadline.hasExpired();)
    QCoreApplication::processEvents();
  ASSERT_EQ(modal.reports.size(), 1u);
  EXPECT_TRUE(modal.reports[0].details.contains("in.wav: the output folder " + programOutput +
                                                " cannot be made: Permission denied"))
      << modal.reports[0].details.toStdString();
}
