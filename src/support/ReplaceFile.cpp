#include "support/ReplaceFile.h"

#include <QSaveFile>

#include "support/ReadOnlyFile.h"

bool replaceFileContents(const QString& path, const QByteArray& bytes) {
  if (isMarkedReadOnly(path)) return false;
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return false;
  // Flushed here because commit() does not report a failure of its own
  // flush; without a commit the partial copy is discarded.
  if (file.write(bytes) != bytes.size() || !file.flush()) return false;
  return file.commit();
}
