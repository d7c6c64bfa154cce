#include "main/SetupFile.h"

#include "platform/ProgramFolder.h"
#include "platform/SettingsFolder.h"
#include "support/FieldReader.h"
#include "support/NumberRules.h"
#include "support/ReplaceFile.h"

#include <QStandardPaths>

QString setup_defaults::outputFolder() {
  if (platform::canWriteProgramFolder()) return platform::programPath(QStringLiteral("output"));
  return QStandardPaths::writableLocation(QStandardPaths::MusicLocation) +
         QStringLiteral("/Dabrelin");
}

namespace {

std::optional<int16_t> readIndex(FieldReader& fields) {
  const std::optional<QString> field = fields.next();
  if (!field) return std::nullopt;
  const std::optional<double> number = numbers::readLeadingNumber(*field);
  return number ? numbers::toInt16(*number) : std::nullopt;
}

// A quote inside the value is written twice, so the reader does not take it
// for the field's end.
QByteArray quotedLine(const QString& value) {
  return '"' + value.toUtf8().replace('"', "\"\"") + "\"\r\n";
}
QByteArray quotedLine(int value) { return quotedLine(numbers::integerText(value)); }

// A name the system takes never holds a NUL: the transcoder would receive
// the text only up to it, which may name another folder or even a file.
std::optional<QString> readFolder(FieldReader& fields) {
  std::optional<QString> field = fields.next();
  if (field && field->contains(QChar(u'\0'))) return std::nullopt;
  return field;
}

int indexOrDefault(const std::optional<int16_t>& index, int size, int defaultIndex) {
  return index && *index >= 0 && *index < size ? *index : defaultIndex;
}

}  // namespace

SetupFields readSetupFile(const QString& path) {
  SetupFields result;
  // A folder name may hold a line break.
  std::optional<FieldReader> fields = FieldReader::fromFile(path, FieldReader::Quotes::SpanLines);
  if (!fields) return result;
  result.bitrateIndex = readIndex(*fields);
  result.rateIndex = readIndex(*fields);
  result.channelIndex = readIndex(*fields);
  result.outputFolder = readFolder(*fields);
  result.formatIndex = readIndex(*fields);
  return result;
}

SetupValues startingSettings(const SetupFields& fields, const SetupListSizes& sizes) {
  namespace defaults = setup_defaults;
  const bool hasFolder = fields.outputFolder && !fields.outputFolder->isEmpty();
  return {indexOrDefault(fields.bitrateIndex, sizes.bitrate, defaults::bitrateIndex),
          indexOrDefault(fields.rateIndex, sizes.rate, defaults::rateIndex),
          indexOrDefault(fields.channelIndex, sizes.channel, defaults::channelIndex),
          hasFolder ? *fields.outputFolder : defaults::outputFolder(),
          indexOrDefault(fields.formatIndex, sizes.format, defaults::formatIndex)};
}

QByteArray setupFileText(const SetupValues& values) {
  return quotedLine(values.bitrateIndex) + quotedLine(values.rateIndex) +
         quotedLine(values.channelIndex) + quotedLine(values.outputFolder) +
         quotedLine(values.formatIndex);
}

bool writeSetupFile(const QString& path, const SetupValues& values) {
  return replaceFileContents(path, setupFileText(values));
}
