#include "support/ReadOnlyFile.h"

#include <QFileInfo>

bool isMarkedReadOnly(const QString& path) {
  const QFileInfo file(path);
  constexpr QFile::Permissions anyWrite = QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther;
  return file.exists() && (!file.isWritable() || (file.permissions() & anyWrite) == 0);
}
