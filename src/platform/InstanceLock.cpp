#include "platform/InstanceLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <QFile>
#include <QSet>
#include <cerrno>

namespace platform {

bool isOnlyRunningCopy(const QString& settingsFolder) {
  // Folders this process holds already: asking again must not find itself.
  static QSet<QString> held;
  if (held.contains(settingsFolder)) return true;

  // Close-on-exec, so the transcoder started later does not inherit the lock
  // and keep it after the program has ended.
  const int fd =
      ::open(QFile::encodeName(settingsFolder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return true;
  if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
    held.insert(settingsFolder);
    return true;  // the descriptor stays open: it is the lock
  }
  const bool lockedElsewhere = errno == EWOULDBLOCK;
  ::close(fd);
  return !lockedElsewhere;
}

}  // namespace platform
