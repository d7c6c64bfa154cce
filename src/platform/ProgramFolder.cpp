#include "platform/ProgramFolder.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace platform {
namespace {
QString& overrideFolder() {
  static QString folder;
  return folder;
}
}  // namespace

QString programFolder() {
  if (!overrideFolder().isEmpty()) return overrideFolder();
  return QCoreApplication::applicationDirPath();
}

void setProgramFolder(const QString& folder) { overrideFolder() = folder; }

QString programPath(const QString& name) { return programFolder() + u'/' + name; }

bool isFilePresent(const QString& path) {
  const QFileInfo info(path);
  return info.exists() && info.isFile();
}

}  // namespace platform
