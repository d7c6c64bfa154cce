#include "support/GetFile.h"

QString GetFileName(const QString& path) { return path.mid(path.lastIndexOf(u'/') + 1); }

QString GetFileNameNoExt(const QString& path) {
  const QString name = GetFileName(path);
  const qsizetype dot = name.indexOf(u'.');
  return dot < 0 ? name : name.left(dot);
}
