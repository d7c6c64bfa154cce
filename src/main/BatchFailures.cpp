#include "main/BatchFailures.h"

#include <QStringList>

namespace {
constexpr size_t kListedFiles = 20;

// The last line that holds more than blanks, looked for from the end: a long
// log is never split as a whole.
QString lastFilledLine(const QString& text) {
  const auto isBreak = [](QChar c) { return c == u'\n' || c == u'\r'; };
  qsizetype end = text.size();
  while (end > 0) {
    qsizetype start = end;
    while (start > 0 && !isBreak(text[start - 1])) --start;
    const QStringView line = QStringView(text).mid(start, end - start).trimmed();
    if (!line.isEmpty()) return line.toString();
    end = start - 1;
  }
  return QString();
}

}  // namespace

QString runFailureReason(const QString& outputs, platform::ExitStatus status) {
  using Kind = platform::ExitStatus::Kind;
  // Killed, its last line is only where it happened to be (a progress line).
  if (status.kind == Kind::Killed)
    return QStringLiteral("the converter was stopped by signal %1").arg(status.number);
  const QString line = lastFilledLine(outputs);
  if (!line.isEmpty()) return line;
  if (status.kind == Kind::Unknown) return QStringLiteral("the converter's end could not be seen");
  return QStringLiteral("the converter ended with exit status %1").arg(status.number);
}

QString overwritesQueuedInputReason(const QString& output) {
  return QStringLiteral("its output %1 is a file this batch was asked to convert").arg(output);
}

QString failedFilesMessage(const std::vector<FailedFile>& failures) {
  QStringList lines{QStringLiteral("These files were not converted:")};
  for (size_t i = 0; i < failures.size() && i < kListedFiles; ++i)
    lines << failures[i].path + QStringLiteral(": ") + failures[i].reason;
  if (failures.size() > kListedFiles)
    lines << QStringLiteral("... and %1 more.").arg(failures.size() - kListedFiles);
  return lines.join(u'\n');
}
