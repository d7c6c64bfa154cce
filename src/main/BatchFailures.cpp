#include "main/BatchFailures.h"

#include "main/QueueText.h"
#include "platform/NameBytes.h"
#include "support/GetFile.h"

#include <QHash>
#include <QStringList>
#include <algorithm>
#include <utility>

namespace {

using Outcome = ReportedFile::Outcome;

const std::pair<Outcome, QString> kHeadings[] = {
    {Outcome::NotStarted, QStringLiteral("Stopped, as the converter could not be started:")},
    {Outcome::NotConverted, QStringLiteral("Not converted:")},
    {Outcome::Skipped, QStringLiteral("Skipped, so that no file of this batch is written over:")},
    {Outcome::Incomplete, QStringLiteral("Converted as far as the input goes, which is incomplete:")},
};

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

// How long the reason's opening mention of `path` is: the path bare or
// quoted as the transcoder quotes it; 0 when it does not open with one.
qsizetype openingMention(QStringView reason, const QString& path) {
  if (path.isEmpty()) return 0;
  for (const QString& mention : {u'\'' + path + u'\'', u'"' + path + u'"', path})
    if (reason.startsWith(mention)) return mention.size();
  return 0;
}

// The file's name with its reason. The transcoder's reasons begin with its
// own name and often with the whole path of the input, or of the output it
// was writing, quoted: the input's path gives way to its name and the
// output's to the output's name, so that each entry names its file once. A
// name's bytes that are not UTF-8 show as in the list, as the log shows them.
QString fileEntry(const ReportedFile& file) {
  const QString input = platform::readableName(file.path);
  const QString output = platform::readableName(file.output);
  QStringView reason(file.reason);
  if (reason.startsWith(u"conv: ")) reason = reason.mid(6);
  if (const qsizetype length = openingMention(reason, input))
    return GetFileName(input) + reason.mid(length).toString();
  if (const qsizetype length = openingMention(reason, output))
    return GetFileName(input) + QStringLiteral(": its output ") + GetFileName(output) +
           reason.mid(length).toString();
  return GetFileName(input) + QStringLiteral(": ") + reason.toString();
}

// The entries of one outcome, under their folder unless it is named above
// all of them, the folders in the order they first come.
void appendSection(QStringList& lines, const std::vector<ReportedFile>& files, Outcome outcome,
                   bool folderNamedAbove) {
  QStringList folders;
  QHash<QString, QStringList> entries;
  for (const ReportedFile& file : files) {
    if (file.outcome != outcome) continue;
    const QString folder = GetFolderFromPath(platform::readableName(file.path));
    QStringList& inFolder = entries[folder];
    if (inFolder.isEmpty()) folders << folder;
    inFolder << fileEntry(file);
  }
  for (const QString& folder : folders) {
    if (!folderNamedAbove) lines << QStringLiteral("  ") + folder;
    const QString indent = folderNamedAbove ? QStringLiteral("  ") : QStringLiteral("    ");
    for (const QString& entry : entries[folder]) lines << indent + entry;
  }
}

}  // namespace

QString runFailureReason(const QString& outputs, platform::ExitStatus status) {
  using Kind = platform::ExitStatus::Kind;
  // Killed, its last line is only where it happened to be (a progress line).
  if (status.kind == Kind::Killed)
    return QStringLiteral("the converter was killed by ") + platform::signalName(status.number);
  const QString line = lastFilledLine(outputs);
  if (!line.isEmpty()) return line;
  if (status.kind == Kind::Unknown) return QStringLiteral("the converter's end could not be seen");
  return QStringLiteral("the converter ended with exit status %1").arg(status.number);
}

QString overwritesQueuedInputReason(const QString& output) {
  return QStringLiteral("its output %1 is a file this batch was asked to convert")
      .arg(GetFileName(platform::readableName(output)));
}

QString overwritesEarlierOutputReason(const QString& output, const QString& earlierInput) {
  return QStringLiteral("its output %1 was written from %2 earlier in this batch")
      .arg(GetFileName(platform::readableName(output)), platform::readableName(earlierInput));
}

BatchReport batchReport(int convertedWhole, const std::vector<ReportedFile>& files) {
  const auto count = [&files](Outcome outcome) {
    return std::count_if(files.begin(), files.end(),
                         [outcome](const ReportedFile& file) { return file.outcome == outcome; });
  };
  BatchReport report;
  report.summary = QStringLiteral("%1 converted, %2 incomplete, %3 not converted%4.")
                       .arg(convertedWhole)
                       .arg(count(Outcome::Incomplete))
                       .arg(count(Outcome::NotConverted) + count(Outcome::Skipped) +
                            count(Outcome::NotStarted))
                       .arg(count(Outcome::NotStarted) > 0 ? QStringLiteral("; the batch stopped")
                                                           : QString());

  const bool oneFolder =
      !files.empty() && std::all_of(files.begin(), files.end(), [&files](const ReportedFile& file) {
        return GetFolderFromPath(file.path) == GetFolderFromPath(files.front().path);
      });
  QStringList lines;
  if (oneFolder)
    lines << QStringLiteral("In ") + GetFolderFromPath(platform::readableName(files.front().path));
  for (const auto& [outcome, heading] : kHeadings) {
    if (count(outcome) == 0) continue;
    if (!lines.isEmpty()) lines << QString();
    lines << heading;
    appendSection(lines, files, outcome, oneFolder);
  }
  report.details = lines.join(u'\n');
  return report;
}
