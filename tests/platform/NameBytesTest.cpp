#include "ByteNames.h"
#include "platform/NameBytes.h"

#include <gtest/gtest.h>
#include <random>

using platform::bytesFromName;
using platform::nameFromBytes;
using platform::readableName;

namespace {
QString kept(std::initializer_list<unsigned char> bytes) {
  QString text;
  for (unsigned char b : bytes) text += QChar(0xDC00 + b);
  return text;
}
}  // namespace

TEST(NameBytes, ValidUtf8IsOrdinaryText) {
  const QString names[] = {"plain song.mp3", QString::fromUtf8("Ünïcödé – 日本.flac"),
                           QString::fromUtf8("\xF0\x9F\x98\x80 smile.ogg"), QString(QChar(0xFFFD)),
                           ""};
  for (const QString& name : names) {
    EXPECT_EQ(nameFromBytes(name.toUtf8()), name);
    EXPECT_EQ(bytesFromName(name), name.toUtf8());
    EXPECT_EQ(readableName(name), name);
  }
}

TEST(NameBytes, EachByteOfAnInvalidSequenceIsKeptAlone) {
  const struct {
    QByteArray bytes;
    QString name;
  } cases[] = {
      {"nonutf\xff\xfe.wav", "nonutf" + kept({0xff, 0xfe}) + ".wav"},
      {"\xed\xa0\x80x", kept({0xed, 0xa0, 0x80}) + "x"},  // an encoded surrogate
      {"\xc0\xaf", kept({0xc0, 0xaf})},                   // overlong "/"
      {"a\xe2\x82", "a" + kept({0xe2, 0x82})},            // cut off at the end
      {"\xe2\x82z", kept({0xe2, 0x82}) + "z"},            // cut off by an ASCII byte
      {"\xf4\x90\x80\x80", kept({0xf4, 0x90, 0x80, 0x80})},  // past U+10FFFF
      {"\xf0\x9f\x98\x80\x80", QString::fromUtf8("\xf0\x9f\x98\x80") + kept({0x80})},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(nameFromBytes(c.bytes), c.name) << c.bytes.toHex().constData();
    EXPECT_EQ(bytesFromName(c.name), c.bytes) << c.bytes.toHex().constData();
  }
  EXPECT_EQ(readableName(nameFromBytes("nonutf\xff\xfe.wav")),
            QString::fromUtf8("nonutf\xEF\xBF\xBD\xEF\xBF\xBD.wav"));
}

TEST(NameBytes, AnyBytesComeBackExactly) {
  // Every string of up to two bytes, then random strings rich in the bytes
  // that start, continue or break sequences.
  std::vector<QByteArray> samples{QByteArray()};
  for (int a = 1; a < 256; ++a) {
    samples.push_back(QByteArray(1, char(a)));
    for (int b = 1; b < 256; ++b) samples.push_back(QByteArray{char(a), char(b)});
  }
  const unsigned char alphabet[] = {'a', '/', 0x80, 0x8f, 0x9f, 0xa0, 0xbf, 0xc0, 0xc2,
                                    0xdf, 0xe0, 0xed, 0xef, 0xf0, 0xf4, 0xf5, 0xfe, 0xff};
  std::mt19937 random(7);
  for (int i = 0; i < 50000; ++i) {
    QByteArray bytes(int(random() % 9), '\0');
    for (char& byte : bytes) byte = char(alphabet[random() % std::size(alphabet)]);
    samples.push_back(bytes);
  }
  for (const QByteArray& bytes : samples) {
    ASSERT_EQ(bytesFromName(nameFromBytes(bytes)), bytes) << bytes.toHex().constData();
  }
}

TEST(NameBytes, APathThatLostItsBytesInADialogIsToldApart) {
  ByteNamedFolder dir;
  for (const char* name : {"/a\xff.wav", "/b\xEF\xBF\xBD.wav"})
    touchRaw(nameFromBytes(rawPath(dir.path()) + name));
  const QString replacement(QChar::ReplacementCharacter);
  EXPECT_TRUE(platform::lostItsBytes(dir.path() + "/a" + replacement + ".wav"));
  EXPECT_FALSE(platform::lostItsBytes(dir.path() + "/b" + replacement + ".wav"));  // its real name
  EXPECT_FALSE(platform::lostItsBytes(dir.path() + "/missing.wav"));
}
