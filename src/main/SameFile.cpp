#include "main/SameFile.h"

#include "platform/NameBytes.h"

#include <QDir>
#include <optional>
#include <sys/stat.h>
#include <utility>

namespace {

using FileId = std::pair<dev_t, ino_t>;

std::optional<FileId> fileId(const QString& path) {
  struct stat info {};
  if (::stat(platform::bytesFromName(path).constData(), &info) != 0) return std::nullopt;
  return FileId{info.st_dev, info.st_ino};
}

}  // namespace

bool namesAnyOf(const QString& path, const QStringList& paths) {
  const QString cleaned = QDir::cleanPath(path);
  const std::optional<FileId> id = fileId(path);
  for (const QString& other : paths) {
    if (QDir::cleanPath(other) == cleaned) return true;
    if (id && fileId(other) == id) return true;
  }
  return false;
}
