#include "ByteNames.h"
#include "support/FileSearch.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <QTemporaryDir>
#include <QTimer>
#include <cstring>
#include <dirent.h>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

void touch(const QString& path) {
  QDir().mkpath(QFileInfo(path).path());
  QFile(path).open(QIODevice::WriteOnly);
}

void link(const char* target, const QString& at) {
  ASSERT_EQ(symlink(target, QFile::encodeName(at).constData()), 0);
}

QStringList search(const QString& folder) {
  QStringList found;
  SearchFiles(folder, [&](const QString& path) { found.append(path); });
  return found;
}

QSet<QString> searchSet(const QString& folder) {
  const QStringList found = search(folder);
  return {found.begin(), found.end()};
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
  ByteNamedFolder dir;
  const QString root = dir.path();
};

}  // namespace

TEST_F(FileSearch, ListsAFoldersOwnFilesBeforeItsSubfolders) {
  touch(root + "/m/c.mp4");
  touch(root + "/a.mp3");
  touch(root + "/z.wav");
  touch(root + "/m/deeper/d.ogg");
  QDir().mkpath(root + "/bare");

  QStringList expected;
  for (const QString& name : directoryOrder(root))
    if (name == "a.mp3" || name == "z.wav") expected.append(root + "/" + name);
  expected << root + "/m/c.mp4" << root + "/m/deeper/d.ogg";
  EXPECT_EQ(search(root), expected);
}

TEST_F(FileSearch, SearchesOnlyTheFirst200SubfoldersInDirectoryOrder) {
  for (int i = 0; i < 201; ++i) touch(QStringLiteral("%1/f%2/x").arg(root).arg(i));
  const QStringList order = directoryOrder(root);
  QStringList expected;
  for (int i = 0; i < 200; ++i) expected.append(root + "/" + order[i] + "/x");
  EXPECT_EQ(search(root), expected);
}

TEST_F(FileSearch, FoldersThatCannotBeReadAddNothingAndTheRestIsSearched) {
  touch(root + "/a/1");
  touch(root + "/gone/2");
  touch(root + "/locked/3");
  touch(root + "/z/4");
  // Permissions do not bind the superuser; a folder deleted by an event
  // handler while its parent is still being read fails for everyone.
  QFile::setPermissions(root + "/locked", QFileDevice::Permissions());
  QTimer::singleShot(0, [&] { QDir(root + "/gone").removeRecursively(); });
  const QSet<QString> found = searchSet(root);
  QFile::setPermissions(root + "/locked", QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                              QFileDevice::ExeOwner);
  QSet<QString> expected{root + "/a/1", root + "/z/4"};
  if (geteuid() == 0) expected.insert(root + "/locked/3");
  EXPECT_EQ(found, expected);

  EXPECT_TRUE(search(root + "/nowhere").isEmpty());
  EXPECT_TRUE(search(root + "/a/1").isEmpty());  // a file, not a folder
}

TEST_F(FileSearch, FollowsFolderLinksButEndsALinkLoop) {
  touch(root + "/top.mp3");
  touch(root + "/m/c.mp4");
  link("..", root + "/m/up");
  link(".", root + "/m/self");
  link("m", root + "/again");
  // A second way into m is searched; the links back to m itself and to the
  // folder above it are not entered.
  const QStringList found = search(root);
  EXPECT_EQ(found.size(), 3);
  EXPECT_EQ(QSet<QString>(found.begin(), found.end()),
            (QSet<QString>{root + "/top.mp3", root + "/m/c.mp4", root + "/again/c.mp4"}));
}

TEST_F(FileSearch, FindsRegularFilesOnly) {
  // A FIFO would hold the transcoder that opens it for good; a socket or a
  // device is no media file either.
  touch(root + "/file.mp3");
  link("file.mp3", root + "/link.mp3");
  const QString others[] = {root + "/fifo.mp3", root + "/socket.mp3", root + "/device.mp3",
                            root + "/dangling.mp3", root + "/fifolink.mp3"};
  ASSERT_EQ(mkfifo(QFile::encodeName(others[0]).constData(), 0600), 0);
  const int sock = socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  const QByteArray socketPath = QFile::encodeName(others[1]);
  ASSERT_LT(size_t(socketPath.size()), sizeof(address.sun_path));
  memcpy(address.sun_path, socketPath.constData(), size_t(socketPath.size()));
  ASSERT_EQ(bind(sock, reinterpret_cast<sockaddr*>(&address), sizeof(address)), 0);
  link("/dev/null", others[2]);
  link("missing", others[3]);
  link("fifo.mp3", others[4]);
  const QSet<QString> found = searchSet(root);
  close(sock);
  EXPECT_EQ(found, (QSet<QString>{root + "/file.mp3", root + "/link.mp3"}));
}

TEST_F(FileSearch, KeepsTheFolderTextAsGivenAndNamesExactly) {
  // Names may end in blanks: "m " is a folder of its own beside "m".
  touch(root + "/a.mp3  ");
  touch(root + "/m/c.mp4");
  touch(root + "/m /b.wav");
  const QStringList found = search(root + "/");
  EXPECT_EQ(found.size(), 3);
  EXPECT_EQ(found.first(), root + "//a.mp3  ");
  EXPECT_EQ(QSet<QString>(found.begin(), found.end()),
            (QSet<QString>{root + "//a.mp3  ", root + "//m/c.mp4", root + "//m /b.wav"}));
}

TEST_F(FileSearch, NamesThatAreNotUtf8ComeWithTheirBytes) {
  const QByteArray folder = rawPath(root) + "/old\xe9";
  ::mkdir(folder.constData(), 0755);
  touchRaw(platform::nameFromBytes(folder + "/nonutf\xff\xfe.wav"));
  const QStringList found = search(root);
  ASSERT_EQ(found.size(), 1);
  EXPECT_EQ(rawPath(found[0]), folder + "/nonutf\xff\xfe.wav");
}
