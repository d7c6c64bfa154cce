#include <gtest/gtest.h>

#include "FileBytes.h"
#include "PrintQString.h"
#include "TempFolder.h"
#include "main/SetupFile.h"
#include "support/FieldReader.h"

namespace {
using Index = std::optional<int16_t>;
constexpr std::nullopt_t none = std::nullopt;

struct Expected {
  Index bitrate, rate, channels;
  std::optional<QString> folder;
  Index format;
};

void expectFields(const SetupFields& f, const Expected& e, const QByteArray& text) {
  SCOPED_TRACE(text.left(40).toStdString());
  EXPECT_EQ(f.bitrateIndex, e.bitrate);
  EXPECT_EQ(f.rateIndex, e.rate);
  EXPECT_EQ(f.channelIndex, e.channels);
  EXPECT_EQ(f.outputFolder, e.folder);
  EXPECT_EQ(f.formatIndex, e.format);
}
}  // namespace

TEST(SetupFile, ReadsFiveFieldsByTheFieldAndNumberRules) {
  TempProgramFolder program;
  const QString path = program.file("setup.ini");
  struct Case {
    QByteArray text;
    Expected expected;
  } cases[] = {
      {"\"8\"\r\n\"1\"\r\n\"1\"\r\n\"/music/out\"\r\n\"1\"\r\n", {8, 1, 1, "/music/out", 1}},
      {"\"1.5\"\r\n\"2.5\"\r\n\"0.5\"\r\n\"/o\"\r\n\"-1\"\r\n", {2, 2, 0, "/o", -1}},
      {"\"70000\"\r\n\"abc\"\r\n\"\"\r\n\"/o\"\r\n\" 3 \"\r\n", {none, none, none, "/o", 3}},
      {"\"12abc\"\r\n\"1 2\"\r\n1,1\r\n\"/o\"\r\n", {12, 12, 1, QString("1"), none}},
      {"\"99\"\r\n\"4\"\r\n\"0\"\r\n\"/a, b\"\r\n\"2\"\r\n", {99, 4, 0, "/a, b", 2}},
      {"\"9\"\r\n\"2\"\r\n\"0\"\r\n", {9, 2, 0, none, none}},  // three lines
      {"\"8\"\r\n\"1\"\r\n\"1\"\r\n\"\"\r\n\"1\"\r\n", {8, 1, 1, QString(""), 1}},
      {"8,1,1,/plain,1\r\nignored\r\n", {8, 1, 1, "/plain", 1}},
      {"\"\r\n\"1\"\r\n", {none, none, none, none, none}},  // a lone quote
      {"", {none, none, none, none, none}},
  };
  for (const Case& c : cases) {
    writeBytes(path, c.text);
    expectFields(readSetupFile(path), c.expected, c.text);
  }
}

TEST(SetupFile, DamagedFilesGiveWhatCanBeReadAndNeverCrash) {
  TempProgramFolder program;
  const QString path = program.file("setup.ini");

  // A huge file (sparse past its first bytes: it takes no room) whose folder
  // field never ends is read only as far as settings can reach, quickly and
  // in little memory.
  writeBytes(path, "\"8\"\r\n\"1\"\r\n\"7\"\r\n\"/a" + QByteArray(FieldReader::kMaxFileBytes, 'a'));
  ASSERT_TRUE(QFile::resize(path, qint64(600) << 20));
  const SetupFields huge = readSetupFile(path);
  EXPECT_EQ(huge.bitrateIndex, Index(8));
  EXPECT_EQ(huge.rateIndex, Index(1));
  EXPECT_EQ(huge.channelIndex, Index(7));
  ASSERT_TRUE(huge.outputFolder);
  EXPECT_TRUE(huge.outputFolder->startsWith("/a"));
  EXPECT_LE(huge.outputFolder->size(), FieldReader::kMaxFileBytes);
  EXPECT_EQ(huge.formatIndex, none);

  expectFields(readSetupFile(program.file("absent.ini")), {none, none, none, none, none}, "");
}

TEST(SetupFile, WritesFiveQuotedCrLfLinesThatReadBack) {
  TempProgramFolder program;
  const QString path = program.file("setup.ini");
  ASSERT_TRUE(writeSetupFile(path, {8, 1, 1, "/opt/d/output", 1}));
  EXPECT_EQ(readBytes(path),
            QByteArray("\"8\"\r\n\"1\"\r\n\"1\"\r\n\"/opt/d/output\"\r\n\"1\"\r\n"));

  ASSERT_TRUE(writeSetupFile(path, {-1, 7, 0, "/tmp/my \"best\" music", 7}));
  EXPECT_EQ(readBytes(path),
            "\"-1\"\r\n\"7\"\r\n\"0\"\r\n\"/tmp/my \"\"best\"\" music\"\r\n\"7\"\r\n");

  const QString folders[] = {
      "/tmp/my \"best\" music",
      QString::fromUtf8("/m\xc3\xbcsik/a, b\nsecond line"),
      "\"",
      "/a\"\r\n\"1\"\r\n\"",  // looks like the end of the field and a line
  };
  for (const QString& folder : folders) {
    ASSERT_TRUE(writeSetupFile(path, {-1, 7, 0, folder, 7}));
    expectFields(readSetupFile(path), {-1, 7, 0, folder, 7}, folder.toUtf8());
  }
}

TEST(SetupFile, FieldsThatNameNoListItemOrFolderGiveWayToTheDefaults) {
  TempProgramFolder program;
  const QString path = program.file("setup.ini");
  const QString folder = setup_defaults::outputFolder();
  struct Case {
    QByteArray text;
    SetupValues expected;
  } cases[] = {
      {"\"11\"\r\n\"7\"\r\n\"0\"\r\n\"/o\"\r\n\"7\"\r\n", {11, 7, 0, "/o", 7}},
      {"\"-1\"\r\n\"-1\"\r\n\"-1\"\r\n\"/o\"\r\n\"-1\"\r\n", {8, 1, 1, "/o", 1}},
      {"\"12\"\r\n\"8\"\r\n\"2\"\r\n\"/o\"\r\n\"8\"\r\n", {8, 1, 1, "/o", 1}},
      {"\"-2\"\r\n\"abc\"\r\n\"70000\"\r\n\"\"\r\n\"-32768\"\r\n", {8, 1, 1, folder, 1}},
      {"\"3\"\r\n\"0\"\r\n", {3, 0, 1, folder, 1}},
      {QByteArrayLiteral("\"0\"\r\n\"0\"\r\n\"0\"\r\n\"/v/keep.flac\0\"\r\n\"7\"\r\n"),
       {0, 0, 0, folder, 7}},
      {QByteArrayLiteral("\"0\"\r\n\"0\"\r\n\"0\"\r\n\0/v/a b\r\n\"7\"\r\n"), {0, 0, 0, folder, 7}},
  };
  for (const Case& c : cases) {
    writeBytes(path, c.text);
    SCOPED_TRACE(c.text.toStdString());
    const SetupValues v = startingSettings(readSetupFile(path), {12, 8, 2, 8});
    EXPECT_EQ(v.bitrateIndex, c.expected.bitrateIndex);
    EXPECT_EQ(v.rateIndex, c.expected.rateIndex);
    EXPECT_EQ(v.channelIndex, c.expected.channelIndex);
    EXPECT_EQ(v.outputFolder, c.expected.outputFolder);
    EXPECT_EQ(v.formatIndex, c.expected.formatIndex);
  }
}
