#include "platform/ProcessScan.h"

#include <QDir>
#include <QFile>

namespace platform {
namespace {

// /proc/<pid>/stat reads "pid (comm) state ...": the name may itself hold
// blanks or parentheses, so it runs to the last ")".
bool statMatches(const QByteArray& stat, const QString& lowerName) {
  const qsizetype open = stat.indexOf('(');
  const qsizetype close = stat.lastIndexOf(')');
  if (open < 0 || close < open || close + 2 >= stat.size()) return false;
  const char state = stat[close + 2];
  if (state == 'Z' || state == 'X') return false;
  const QString comm = QString::fromUtf8(stat.mid(open + 1, close - open - 1));
  return comm.toLower() == lowerName;
}

}  // namespace

bool isProcessRunning(const QString& name) {
  const QString lowerName = name.toLower();
  const QStringList entries = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
  for (const QString& entry : entries) {
    bool numeric = false;
    entry.toInt(&numeric);
    if (!numeric) continue;
    QFile stat(QStringLiteral("/proc/") + entry + QStringLiteral("/stat"));
    if (!stat.open(QIODevice::ReadOnly)) continue;
    if (statMatches(stat.readAll(), lowerName)) return true;
  }
  return false;
}

}  // namespace platform
