#include "support/FieldReader.h"

#include <QFile>

std::optional<FieldReader> FieldReader::fromFile(const QString& path, Quotes quotes) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
  return FieldReader(file.read(kMaxFileBytes), quotes);
}

bool FieldReader::skip(char c) {
  if (atEnd() || data_[position_] != c) return false;
  ++position_;
  return true;
}

FieldReader::Stop FieldReader::readUntilDelimiter(QByteArray& field, bool quoted) {
  const bool lineEndsField = !quoted || quotes_ == Quotes::OnTheirLine;
  while (!atEnd()) {
    const char c = data_[position_++];
    if (quoted && c == '"') {
      if (!skip('"')) return Stop::Quote;
    } else if (!quoted && c == ',') {
      return Stop::Comma;
    } else if (lineEndsField && c == '\n') {
      return Stop::LineEnd;
    } else if (lineEndsField && c == '\r') {
      skip('\n');  // CR LF and a lone CR both end a line
      return Stop::LineEnd;
    }
    field.append(c);
  }
  return Stop::DataEnd;
}

std::optional<QString> FieldReader::next() {
  while (skip(' ') || skip('\t')) {
  }
  if (atEnd()) return std::nullopt;

  // The delimiters are ASCII, which never occurs inside a multi-byte UTF-8
  // character, so splitting bytes first and decoding afterwards is safe.
  QByteArray field;
  const bool quoted = skip('"');
  if (readUntilDelimiter(field, quoted) == Stop::Quote) {
    QByteArray dropped;
    readUntilDelimiter(dropped, false);
  }
  return QString::fromUtf8(field);
}
