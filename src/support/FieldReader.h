#pragma once
#include <QIODevice>
#include <QString>
#include <optional>

// Reads the comma-and-line separated fields of the settings files, one at a
// time: blanks and tabs before a field are skipped; a field in double quotes
// runs to the next quote, and whatever follows that quote up to the next
// comma or the line's end is dropped; any other field runs to the first comma
// or the line's end.
class FieldReader {
 public:
  // Where a quoted field may end. Kept on its line, a damaged file costs at
  // most that line; a text that may hold a line break (a folder name) needs
  // the quotes to span lines.
  enum class Quotes { OnTheirLine, SpanLines };

  explicit FieldReader(QIODevice& device, Quotes quotes = Quotes::OnTheirLine)
      : device_(device), quotes_(quotes) {}

  // The next field, or nullopt when the data has run out.
  std::optional<QString> next();

 private:
  enum class Stop { Comma, LineEnd, Quote, DataEnd };

  // Collects bytes into `field` up to a delimiter, which it consumes.
  Stop readUntilDelimiter(QByteArray& field, bool quoted);

  QIODevice& device_;
  Quotes quotes_;
};
