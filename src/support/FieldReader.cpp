#include "support/FieldReader.h"

FieldReader::Stop FieldReader::readUntilDelimiter(QByteArray& field, bool quoted) {
  const bool lineEndsField = !quoted || quotes_ == Quotes::OnTheirLine;
  char c = 0;
  while (device_.getChar(&c)) {
    if (quoted ? c == '"' : c == ',') return quoted ? Stop::Quote : Stop::Comma;
    if (lineEndsField && c == '\n') return Stop::LineEnd;
    if (lineEndsField && c == '\r') {
      // CR LF and a lone CR both end a line.
      char after = 0;
      if (device_.peek(&after, 1) == 1 && after == '\n') device_.getChar(&after);
      return Stop::LineEnd;
    }
    field.append(c);
  }
  return Stop::DataEnd;
}

std::optional<QString> FieldReader::next() {
  char c = 0;
  do {
    if (!device_.getChar(&c)) return std::nullopt;
  } while (c == ' ' || c == '\t');

  // The delimiters are ASCII, which never occurs inside a multi-byte UTF-8
  // character, so splitting bytes first and decoding afterwards is safe.
  QByteArray field;
  const bool quoted = c == '"';
  if (!quoted) device_.ungetChar(c);
  if (readUntilDelimiter(field, quoted) == Stop::Quote) {
    QByteArray dropped;
    readUntilDelimiter(dropped, false);
  }
  return QString::fromUtf8(field);
}
