#include <gtest/gtest.h>

#include <QStringList>

#include "support/FieldReader.h"

namespace {
QStringList allFields(const QByteArray& data) {
  FieldReader reader(data);
  QStringList fields;
  while (const auto field = reader.next()) fields.append(*field);
  return fields;
}
}  // namespace

TEST(FieldReader, SplitsAtCommasAndLineEndsAndUnquotes) {
  struct Case {
    QByteArray data;
    QStringList fields;
  } cases[] = {
      {"", {}},
      {"\"8\"\r\n\"1\"\r\n", {"8", "1"}},
      {"8\r\n1", {"8", "1"}},
      {"1,1\r\n90\r\n", {"1", "1", "90"}},
      {"  \t 7 \r\n", {"7 "}},                 // blanks before a field only
      {"\"/a, b\"\r\n2\r\n", {"/a, b", "2"}},  // a comma between quotes stays
      {"\"x\" junk,y\r\n", {"x", "y"}},        // after the closing quote up to the comma
      {"\"x\"junk\r\nz\r\n", {"x", "z"}},      // ... or to the line's end
      {"\"\"\r\n", {""}},
      {"\"a \"\"b\"\" c\"\r\n\"\"\"\"\r\n", {"a \"b\" c", "\""}},  // a doubled quote is one
      {"\"a \"b\" c\"\r\n", {"a "}},  // a lone quote inside ends the field
      {"\"unclosed\r\nnext\r\n", {"unclosed", "next"}},  // a quote never spans lines
      {"\r\n5\r\n", {"", "5"}},                          // an empty line is an empty field
      {"a,\r\nb", {"a", "", "b"}},
      {"a\rb\nc", {"a", "b", "c"}},  // CR, LF and CR LF all end lines
      {"   ", {}},
      {"\"/m\xc3\xbcsik\"\r\n", {QString::fromUtf8("/m\xc3\xbcsik")}},
  };
  for (const Case& c : cases) EXPECT_EQ(allFields(c.data), c.fields) << c.data.toStdString();
}

TEST(FieldReader, QuotesSpanLinesWhereAskedTo) {
  FieldReader reader("\"a\r\nb,\"x\r\n5\r\n\"open\r\n", FieldReader::Quotes::SpanLines);
  EXPECT_EQ(reader.next(), "a\r\nb,");
  EXPECT_EQ(reader.next(), "5");
  EXPECT_EQ(reader.next(), "open\r\n");  // to the data's end
  EXPECT_EQ(reader.next(), std::nullopt);
}

TEST(FieldReader, BinaryGarbageGivesFieldsAndNeverCrashes) {
  QByteArray garbage;
  for (int i = 0; i < 4096; ++i) garbage.append(static_cast<char>((i * 7919) & 0xFF));
  EXPECT_FALSE(allFields(garbage).isEmpty());
}
