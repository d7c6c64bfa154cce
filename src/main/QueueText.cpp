#include "main/QueueText.h"

QString FormatTag(const QString& path) { return path.right(3).toUpper(); }

QString TrimmedFormatTag(const QString& path) {
  // Blanks only: a tab or line feed at either end stays part of the name.
  qsizetype first = 0;
  qsizetype end = path.size();
  while (first < end && path[first] == u' ') ++first;
  while (end > first && path[end - 1] == u' ') --end;
  return FormatTag(path.mid(first, end - first));
}

QString GetFolderFromPath(const QString& path) { return path.left(path.lastIndexOf(u'/') + 1); }

QString unreadableNameMessage(const QString& path) {
  return u'"' + path +
         QStringLiteral("\" was not added: its name can't be read, as it is not valid text. "
                        "Drop the file onto the list or add its folder instead.");
}
