#include "support/ReplaceFile.h"

#include <QFileInfo>
#include <QSaveFile>

namespace {
bool isReadOnly(const QFileInfo& file) {
  // The mode's write bits, which even the superuser's access does not change.
  constexpr QFile::Permissions anyWrite = QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther;
  return !file.isWritable() || (file.permissions() & anyWrite) == 0;
}
}  // namespace

bool replaceFileContents(const QString& path, const QByteArray& bytes) {
  const QFileInfo existing(path);
  if (existing.exists() && isReadOnly(existing)) return false;
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return false;
  // Flushed here because commit() does not report a failure of its own
  // flush; without a commit the partial copy is discarded.
  if (file.write(bytes) != bytes.size() || !file.flush()) return false;
  return file.commit();
}
