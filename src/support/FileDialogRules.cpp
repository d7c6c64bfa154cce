#include "support/FileDialogRules.h"

#include <QFileInfo>
#include <QStringList>

#include "platform/ProgramFolder.h"

namespace dialogs {
namespace {
bool isBlank(const QString& text) { return text.trimmed().isEmpty(); }
}  // namespace

QList<QPair<QString, QString>> filterPairs(const QString& filter) {
  QList<QPair<QString, QString>> pairs;
  const QStringList pieces = filter.split(u'|');
  for (qsizetype i = 0; i + 1 < pieces.size(); i += 2) {
    if (pieces[i].isEmpty() || pieces[i + 1].isEmpty()) break;
    pairs.append({pieces[i], pieces[i + 1]});
  }
  return pairs;
}

QList<QPair<QString, QString>> filterPairsOrAllFiles(const QString& filter) {
  return filterPairs(isBlank(filter) ? QStringLiteral("*.*|*.*") : filter);
}

QString startFolder(const QString& requested) {
  if (isBlank(requested)) return platform::programFolder();
  const QString folder = requested.endsWith(u'/') ? requested : requested + u'/';
  const QFileInfo info(folder);
  if (!info.isDir() || !info.isReadable()) return platform::programFolder();
  return folder;
}

QString folderOf(const QString& filePath) {
  const qsizetype slash = filePath.lastIndexOf(u'/');
  if (slash < 0) return QString();
  if (slash == 0) return QStringLiteral("/");
  return filePath.left(slash);
}

QString beforeNul(const QString& text) {
  const qsizetype nul = text.indexOf(QChar(u'\0'));
  return nul < 0 ? text : text.left(nul);
}

}  // namespace dialogs
