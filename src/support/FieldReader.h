#pragma once
#include <QIODevice>
#include <QString>
#include <optional>

// Reads the comma-and-line separated fields of the settings files, one at a
// time: blanks and tabs before a field are skipped; a field in double quotes
// runs to the next quote on its line, and whatever follows that quote up to
// the next comma or the line's end is dropped; any other field runs to the
// first comma or the line's end. A field never spans lines, so a damaged file
// costs at most its own length.
class FieldReader {
 public:
  explicit FieldReader(QIODevice& device) : device_(device) {}

  // The next field, or nullopt when the data has run out.
  std::optional<QString> next();

 private:
  enum class Stop { Comma, LineEnd, Quote, DataEnd };

  // Collects bytes into `field` up to a delimiter, which it consumes.
  Stop readUntilDelimiter(QByteArray& field, bool quoted);

  QIODevice& device_;
};
