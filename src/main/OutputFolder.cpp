#include "main/OutputFolder.h"

#include "main/SetupFile.h"

#include <QDir>

QString outputFolderFromBox(const QString& boxText) {
  if (boxText.isEmpty()) return setup_defaults::outputFolder();
  if (QDir::isAbsolutePath(boxText)) return boxText;
  return QDir::cleanPath(QDir::current().absoluteFilePath(boxText));
}
