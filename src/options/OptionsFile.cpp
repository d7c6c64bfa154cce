#include "options/OptionsFile.h"

#include "options/OptionValues.h"
#include "platform/ProgramFolder.h"
#include "platform/SettingsFolder.h"
#include "support/FieldReader.h"
#include "support/NumberRules.h"
#include "support/ReplaceFile.h"

namespace {

QString optionsPath() { return platform::settingsPath(QStringLiteral("options.ini")); }

template <typename Int>
void readInto(FieldReader& fields, Int& target, std::optional<Int> (*fit)(double)) {
  const std::optional<QString> field = fields.next();
  if (!field) return;
  if (const std::optional<Int> value = fit(numbers::readNumber(*field))) target = *value;
}

QByteArray line(int64_t value) { return numbers::integerText(value).toUtf8() + "\r\n"; }

}  // namespace

void LoadOptions() {
  const QString path = optionsPath();
  if (!platform::isFilePresent(path)) {
    gNoSound = 0;
    gCutEnabled = 0;
    return;
  }
  std::optional<FieldReader> fields = FieldReader::fromFile(path);
  if (!fields) return;
  readInto(*fields, gNoSound, numbers::toInt16);
  readInto(*fields, gCutEnabled, numbers::toInt16);
  readInto(*fields, gCutStart, numbers::toInt32);
  readInto(*fields, gCutLength, numbers::toInt32);
}

void SaveOptions() {
  replaceFileContents(optionsPath(),
                      line(gNoSound) + line(gCutEnabled) + line(gCutStart) + line(gCutLength));
}
