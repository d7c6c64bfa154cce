// Starts real copies of the built program, each test in a program folder of
// its own, and watches which files of that folder they touch.
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <QDeadlineTimer>
#include <QDir>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>
#include <QThread>
#include <csignal>

#include "FileBytes.h"

namespace {

// What happens to the files of one folder, by name.
class FolderWatch {
 public:
  explicit FolderWatch(const QString& folder) {
    fd_ = inotify_init1(IN_CLOEXEC | IN_NONBLOCK);
    inotify_add_watch(fd_, QFile::encodeName(folder).constData(),
                      IN_OPEN | IN_ACCESS | IN_MODIFY | IN_CREATE | IN_MOVED_TO | IN_DELETE |
                          IN_CLOSE_WRITE | IN_CLOSE_NOWRITE);
  }
  ~FolderWatch() { ::close(fd_); }

  // Names touched since the last call ("" for the folder itself).
  QStringList takeTouched() {
    QStringList names;
    alignas(inotify_event) char buffer[8192];
    for (;;) {
      const ssize_t n = ::read(fd_, buffer, sizeof buffer);
      if (n <= 0) return names;
      for (ssize_t at = 0; at < n;) {
        const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
        names.append(event->len ? QString::fromUtf8(event->name) : QString());
        at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
      }
    }
  }

  // Waits until a process closes `name` after reading it.
  bool waitForRead(const QString& name, int timeoutMs) {
    QDeadlineTimer deadline(timeoutMs);
    alignas(inotify_event) char buffer[8192];
    while (!deadline.hasExpired()) {
      pollfd p{fd_, POLLIN, 0};
      if (::poll(&p, 1, 100) <= 0) continue;
      const ssize_t n = ::read(fd_, buffer, sizeof buffer);
      for (ssize_t at = 0; at < n;) {
        const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
        if ((event->mask & IN_CLOSE_NOWRITE) && event->len && name == event->name) return true;
        at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
      }
    }
    return false;
  }

 private:
  int fd_ = -1;
};

struct SingleInstance : ::testing::Test {
  QTemporaryDir folder;
  QByteArray setupBytes = "\"3\"\r\n\"0\"\r\n\"0\"\r\n\"/music\"\r\n\"7\"\r\n";
  QByteArray optionsBytes = "1\r\n0\r\n0\r\n0\r\n";
  std::vector<std::unique_ptr<QProcess>> copies;

  SingleInstance() {
    QFile::copy(QStringLiteral(DABRELIN_PROGRAM_DIR "/dabrelin"), folder.filePath("dabrelin"));
    writeBytes(folder.filePath("setup.ini"), setupBytes);
    writeBytes(folder.filePath("options.ini"), optionsBytes);
  }
  ~SingleInstance() override {
    for (auto& copy : copies) {
      if (copy->state() == QProcess::NotRunning) continue;
      copy->kill();
      copy->waitForFinished(5000);
    }
  }

  QProcess& start() {
    auto copy = std::make_unique<QProcess>();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    copy->setProcessEnvironment(env);
    copy->setWorkingDirectory(folder.path());
    copy->start(folder.filePath("dabrelin"), {});
    copy->waitForStarted(5000);
    copies.push_back(std::move(copy));
    return *copies.back();
  }

  static void endBySignal(QProcess& copy) {
    ::kill(static_cast<pid_t>(copy.processId()), SIGTERM);
    copy.waitForFinished(5000);
  }
};

}  // namespace

TEST_F(SingleInstance, ASecondCopyEndsAtOnceSilentlyAndTouchesNoFile) {
  FolderWatch watch(folder.path());
  QProcess& first = start();
  // options.ini is read late in the start-up, well past the single-instance
  // test.
  ASSERT_TRUE(watch.waitForRead("options.ini", 20000));
  QThread::msleep(100);
  watch.takeTouched();

  QProcess& second = start();
  ASSERT_TRUE(second.waitForFinished(10000));
  EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(second.exitCode(), 0);
  EXPECT_EQ(second.readAll(), QByteArray());

  const QStringList touched = watch.takeTouched();
  EXPECT_FALSE(touched.contains("setup.ini")) << touched.join(' ').toStdString();
  EXPECT_FALSE(touched.contains("options.ini")) << touched.join(' ').toStdString();
  EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden),
            (QStringList{"dabrelin", "options.ini", "setup.ini"}));
  EXPECT_EQ(readBytes(folder.filePath("setup.ini")), setupBytes);
  EXPECT_EQ(first.state(), QProcess::Running);
}

TEST_F(SingleInstance, ANewStartWorksAfterTheFirstCopyWasEnded) {
  FolderWatch watch(folder.path());
  QProcess& first = start();
  ASSERT_TRUE(watch.waitForRead("options.ini", 20000));
  endBySignal(first);
  ASSERT_EQ(first.state(), QProcess::NotRunning);

  QProcess& next = start();
  EXPECT_TRUE(watch.waitForRead("options.ini", 20000));
  EXPECT_EQ(next.state(), QProcess::Running);
  endBySignal(next);
  // Ended by a signal, neither copy saved anything.
  EXPECT_EQ(readBytes(folder.filePath("setup.ini")), setupBytes);
}
