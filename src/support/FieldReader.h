#pragma once
#include <QByteArray>
#include <QString>
#include <optional>

// Reads the comma-and-line separated fields of the settings files, one at a
// time: blanks and tabs before a field are skipped; a field in double quotes
// runs to the next lone quote (two quotes in a row stand for one quote of
// the text), and whatever follows that quote up to the next comma or the
// line's end is dropped; any other field runs to the first comma or the
// line's end.
class FieldReader {
 public:
  // Where a quoted field may end. Kept on its line, a damaged file costs at
  // most that line; a text that may hold a line break (a folder name) needs
  // the quotes to span lines.
  enum class Quotes { OnTheirLine, SpanLines };

  // The most of a settings file that is read: room for the longest folder
  // name the system takes (4,095 bytes) twice over with the other settings.
  // A larger file is read as far as this, so whatever lies beside the
  // program, start-up takes no more time or memory than for this much.
  static constexpr qint64 kMaxFileBytes = 16 * 1024;

  explicit FieldReader(QByteArray data, Quotes quotes = Quotes::OnTheirLine)
      : data_(std::move(data)), quotes_(quotes) {}

  // The fields of the file at `path`, read up to kMaxFileBytes; nullopt
  // when the file cannot be opened.
  static std::optional<FieldReader> fromFile(const QString& path,
                                             Quotes quotes = Quotes::OnTheirLine);

  // The next field, or nullopt when the data has run out.
  std::optional<QString> next();

 private:
  enum class Stop { Comma, LineEnd, Quote, DataEnd };

  // Collects bytes into `field` up to a delimiter, which it consumes.
  Stop readUntilDelimiter(QByteArray& field, bool quoted);
  bool atEnd() const { return position_ >= data_.size(); }
  // Takes the next byte when it is `c`.
  bool skip(char c);

  QByteArray data_;
  qsizetype position_ = 0;
  Quotes quotes_;
};
