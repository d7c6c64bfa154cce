#include <gtest/gtest.h>

#include "PrintQString.h"
#include "TempFolder.h"
#include "main/OutputFolder.h"
#include "main/SetupFile.h"

#include <QDir>

TEST(OutputFolder, ATypedFolderStandsForAFullPath) {
  TempProgramFolder program;
  const QString home = QDir::homePath(), work = QDir::currentPath();
  const struct {
    const char* typed;
    QString folder;
  } cases[] = {
      {"", setup_defaults::outputFolder()},
      {"~", home},
      {"~/", home},
      {"~/Music", home + "/Music"},
      {"~/Music/../Rips", home + "/Rips"},
      {"~root/out", "/root/out"},
      {"~no-such-user-here/out", work + "/~no-such-user-here/out"},
      {"a~/b", work + "/a~/b"},
      {"music", work + "/music"},
      {"/srv/music", "/srv/music"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.typed);
    EXPECT_EQ(outputFolderFromBox(QString::fromUtf8(c.typed)), c.folder);
  }
}
