#include "support/FileSearch.h"

#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>
#include <QTimer>
#include <dirent.h>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

void touch(const QString& path) {
  QDir().mkpath(QFileInfo(path).path());
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
}

QStringList search(const QString& folder) {
  QStringList found;
  SearchFiles(folder, [&](const QString& path) { found.append(path); });
  return found;
}

// The names in a folder in the order the directory itself delivers them.
QStringList directoryOrder(const QString& folder) {
  QStringList names;
  DIR* dir = opendir(QFile::encodeName(folder).constData());
  while (const dirent* entry = readdir(dir)) {
    const QString name = QFile::decodeName(entry->d_name);
    if (name != "." && name != "..") names.append(name);
  }
  closedir(dir);
  return names;
}

class FileSearch : public ::testing::Test {
 protected:
  QTemporaryDir dir;
  QString root() const { return dir.path(); }
};

}  // namespace

TEST_F(FileSearch, ListsAFoldersOwnFilesBeforeItsSubfolders) {
  touch(root() + "/m/c.mp4");
  touch(root() + "/a.mp3");
  touch(root() + "/z.wav");
  touch(root() + "/m/deeper/d.ogg");

  QStringList ownFiles;
  for (const QString& name : directoryOrder(root()))
    if (name != "m") ownFiles.append(root() + "/" + name);
  const QStringList expected =
      ownFiles + QStringList{root() + "/m/c.mp4", root() + "/m/deeper/d.ogg"};
  EXPECT_EQ(search(root()), expected);
}

TEST_F(FileSearch, AppendsToWhatTheCallerAlreadyHasAndListsFoldersNever) {
  touch(root() + "/empty/.keep");
  QDir().mkpath(root() + "/bare");
  QStringList found{"earlier"};
  SearchFiles(root(), [&](const QString& path) { found.append(path); });
  EXPECT_EQ(found, (QStringList{"earlier", root() + "/empty/.keep"}));
  EXPECT_TRUE(search(root() + "/bare").isEmpty());
}

TEST_F(FileSearch, SearchesOnlyTheFirst200SubfoldersInDirectoryOrder) {
  for (int i = 0; i < 201; ++i) touch(QStringLiteral("%1/f%2/x").arg(root()).arg(i));
  const QStringList order = directoryOrder(root());
  ASSERT_EQ(order.size(), 201);

  const QStringList found = search(root());
  EXPECT_EQ(found.size(), 200);
  for (int i = 0; i < 200; ++i) EXPECT_EQ(found[i], root() + "/" + order[i] + "/x");
  EXPECT_FALSE(found.contains(root() + "/" + order[200] + "/x"));
}

TEST_F(FileSearch, MissingFolderAddsNothing) {
  EXPECT_TRUE(search(root() + "/nowhere").isEmpty());
  touch(root() + "/plain");
  EXPECT_TRUE(search(root() + "/plain").isEmpty());  // a file, not a folder
}

TEST_F(FileSearch, UnreadableFolderAddsNothingAndItsSiblingsAreSearched) {
  if (geteuid() == 0) GTEST_SKIP() << "permissions do not bind the superuser";
  touch(root() + "/a/1");
  touch(root() + "/locked/2");
  touch(root() + "/z/3");
  QFile::setPermissions(root() + "/locked", QFileDevice::Permissions());
  const QStringList found = search(root());
  QFile::setPermissions(root() + "/locked", QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                QFileDevice::ExeOwner);
  EXPECT_EQ(QSet<QString>(found.begin(), found.end()),
            (QSet<QString>{root() + "/a/1", root() + "/z/3"}));
}

TEST_F(FileSearch, FolderThatVanishesBeforeItsTurnAddsNothingAndItsSiblingsAreSearched) {
  // Deleted by an event handler that runs while the parent is still being read.
  touch(root() + "/a/1");
  touch(root() + "/gone/2");
  touch(root() + "/z/3");
  QTimer::singleShot(0, [&] { QDir(root() + "/gone").removeRecursively(); });
  const QStringList found = search(root());
  EXPECT_EQ(QSet<QString>(found.begin(), found.end()),
            (QSet<QString>{root() + "/a/1", root() + "/z/3"}));
}

TEST_F(FileSearch, FollowsFolderLinksButEndsALinkLoop) {
  touch(root() + "/top.mp3");
  touch(root() + "/m/c.mp4");
  ASSERT_EQ(symlink("..", QFile::encodeName(root() + "/m/up").constData()), 0);
  ASSERT_EQ(symlink(".", QFile::encodeName(root() + "/m/self").constData()), 0);
  ASSERT_EQ(symlink("m", QFile::encodeName(root() + "/again").constData()), 0);
  ASSERT_EQ(symlink("missing", QFile::encodeName(root() + "/dangling").constData()), 0);

  const QStringList found = search(root());
  // The sibling link is a second way into m and is searched; the links back
  // to m itself and to the folder above it are not entered.
  EXPECT_EQ(QSet<QString>(found.begin(), found.end()),
            (QSet<QString>{root() + "/top.mp3", root() + "/dangling", root() + "/m/c.mp4",
                           root() + "/again/c.mp4"}));
  EXPECT_EQ(found.size(), 4);
}

TEST_F(FileSearch, KeepsTheFolderTextAsGivenSoATrailingSeparatorIsDoubled) {
  touch(root() + "/a.mp3");
  touch(root() + "/m/c.mp4");
  EXPECT_EQ(search(root() + "/"), (QStringList{root() + "//a.mp3", root() + "//m/c.mp4"}));
}

TEST_F(FileSearch, NamesEndingInBlanksAreListedTrimmed) {
  touch(root() + "/song.mp3  ");
  EXPECT_EQ(search(root()), QStringList{root() + "/song.mp3"});
}

TEST_F(FileSearch, ProcessesPendingEventsWhileItSearches) {
  for (int i = 0; i < 3; ++i) touch(QStringLiteral("%1/f%2").arg(root()).arg(i));
  QStringList seen;
  QTimer::singleShot(0, [&] { seen.append("event"); });
  SearchFiles(root(), [&](const QString& path) { seen.append(path); });
  ASSERT_EQ(seen.size(), 4);
  EXPECT_NE(seen.last(), "event");  // it ran before the search returned
}

TEST(TrimNulls, DropsOnlyTrailingNulsAndBlanks) {
  const struct {
    QString in, out;
  } cases[] = {
      {QStringLiteral("abc") + QChar(u'\0') + QString(256, u' '), "abc"},
      {" lead and trail ", " lead and trail"},
      {QString("a") + QChar(u'\0') + " b" + QChar(u'\0'), QString("a") + QChar(u'\0') + " b"},
      {QString(" ") + QChar(u'\0') + "  " + QChar(u'\0'), ""},
      {"", ""},
      {"tab\t", "tab\t"},
  };
  for (const auto& c : cases) EXPECT_EQ(TrimNulls(c.in), c.out) << c.in.toStdString();
}
