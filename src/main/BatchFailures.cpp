#include "main/BatchFailures.h"

#include <QRegularExpression>
#include <QStringList>

namespace {
constexpr size_t kListedFiles = 20;
constexpr int kSignalBase = 128;  // how the runner reports a run ended by a signal
}  // namespace

QString runFailureReason(const QString& outputs, int exitStatus) {
  // Killed, its last line is only where it happened to be (a progress line).
  if (exitStatus > kSignalBase)
    return QStringLiteral("the converter was stopped by signal %1").arg(exitStatus - kSignalBase);
  const QStringList lines =
      outputs.split(QRegularExpression(QStringLiteral("[\r\n]")), Qt::SkipEmptyParts);
  for (auto line = lines.crbegin(); line != lines.crend(); ++line)
    if (!line->trimmed().isEmpty()) return line->trimmed();
  return QStringLiteral("the converter ended with exit status %1").arg(exitStatus);
}

QString overwritesQueuedInputReason(const QString& output) {
  return QStringLiteral("its output %1 is a file still waiting in the list").arg(output);
}

QString failedFilesMessage(const std::vector<FailedFile>& failures) {
  QStringList lines{QStringLiteral("These files were not converted:")};
  for (size_t i = 0; i < failures.size() && i < kListedFiles; ++i)
    lines << failures[i].path + QStringLiteral(": ") + failures[i].reason;
  if (failures.size() > kListedFiles)
    lines << QStringLiteral("... and %1 more.").arg(failures.size() - kListedFiles);
  return lines.join(u'\n');
}
