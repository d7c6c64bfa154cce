#include "main/BatchFailures.h"

#include <QRegularExpression>
#include <QStringList>

namespace {
constexpr size_t kListedFiles = 20;
}  // namespace

QString runFailureReason(const QString& outputs, platform::ExitStatus status) {
  using Kind = platform::ExitStatus::Kind;
  // Killed, its last line is only where it happened to be (a progress line).
  if (status.kind == Kind::Killed)
    return QStringLiteral("the converter was stopped by signal %1").arg(status.number);
  const QStringList lines =
      outputs.split(QRegularExpression(QStringLiteral("[\r\n]")), Qt::SkipEmptyParts);
  for (auto line = lines.crbegin(); line != lines.crend(); ++line)
    if (!line->trimmed().isEmpty()) return line->trimmed();
  if (status.kind == Kind::Unknown) return QStringLiteral("the converter's end could not be seen");
  return QStringLiteral("the converter ended with exit status %1").arg(status.number);
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
