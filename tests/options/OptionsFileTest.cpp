#include <gtest/gtest.h>

#include <QDir>

#include "FailingWrites.h"
#include "FileBytes.h"
#include "TempFolder.h"
#include "options/OptionsFile.h"
#include "options/StoredValues.h"

namespace {
struct OptionsFile : ::testing::Test {
  TempProgramFolder program;
  QString path = program.file("options.ini");
  OptionsFile() { storeValues({0, 0, 0, 0}); }
  ~OptionsFile() override { storeValues({0, 0, 0, 0}); }
};
}  // namespace

TEST_F(OptionsFile, LoadReadsNumbersAndFitsThemIntoTheirWidths) {
  struct Case {
    QByteArray text;
    StoredValues expected;
  } cases[] = {
      {"1\r\n1\r\n90\r\n120\r\n", {1, 1, 90, 120}},
      {"-1\r\n0\r\n0\r\n0\r\n", {-1, 0, 0, 0}},
      {"1.5\r\n2.5\r\n0.5\r\n-0.5\r\n", {2, 2, 0, 0}},  // halves to even
      {"70000\r\n1\r\n2\r\n3\r\n", {0, 1, 2, 3}},       // too wide: kept
      {"0\r\n0\r\n2147483648\r\n-2147483648\r\n", {0, 0, 0, INT32_MIN}},
      {"0\r\n0\r\nabc\r\n7min\r\n", {0, 0, 0, 7}},
      {"0\r\n0\r\n12abc\r\n1 2\r\n", {0, 0, 12, 12}},
      {"1,1\r\n90\r\n120\r\n", {1, 1, 90, 120}},  // two fields on a line
      {"0\r\n2\r\n-5\r\n1e3\r\n", {0, 2, -5, 1000}},
      {"\"1\"\r\n\"1\"\r\n\"9\"\r\n\"8\"\r\n", {1, 1, 9, 8}},
      {"1\n1\n2\n3", {1, 1, 2, 3}},  // LF only, no last line end
      {"1\r\n1\r\n", {1, 1, 0, 0}},  // missing fields: untouched
      {"", {0, 0, 0, 0}},
      {"\"\r\n1\r\n2\r\n3\r\n", {0, 1, 2, 3}},  // a lone quote
      {"7" + QByteArray(1 << 20, 'x') + "\r\n3\r\n4\r\n5\r\n", {7, 0, 0, 0}},  // read a few KB
      {"1e400\r\n1\r\n1e400\r\n1\r\n", {0, 1, 0, 1}},
  };
  for (const Case& c : cases) {
    storeValues({0, 0, 0, 0});
    writeBytes(path, c.text);
    LoadOptions();
    EXPECT_EQ(storedValues(), c.expected) << c.text.left(40).toStdString();
  }
}

TEST_F(OptionsFile, WithoutAFileSoundIsOnAndTheCutterOff) {
  storeValues({5, 5, 7, 8});
  LoadOptions();
  EXPECT_EQ(storedValues(), (StoredValues{0, 0, 7, 8}));  // start and length are not touched

  QDir().mkdir(path);  // a folder of that name is not the file
  storeValues({5, 5, 0, 0});
  LoadOptions();
  EXPECT_EQ(storedValues(), (StoredValues{0, 0, 0, 0}));
}

TEST_F(OptionsFile, SaveWritesFourCrLfLinesThatLoadBack) {
  storeValues({1, 1, 90, 120});
  SaveOptions();
  EXPECT_EQ(readBytes(path), QByteArray("1\r\n1\r\n90\r\n120\r\n"));

  storeValues({-1, 2, -5, 2147483647});
  SaveOptions();
  EXPECT_EQ(readBytes(path), QByteArray("-1\r\n2\r\n-5\r\n2147483647\r\n"));
  storeValues({0, 0, 0, 0});
  LoadOptions();
  EXPECT_EQ(storedValues(), (StoredValues{-1, 2, -5, 2147483647}));

  storeValues({0, 0, 0, 0});
  SaveOptions();
  EXPECT_EQ(readBytes(path), QByteArray("0\r\n0\r\n0\r\n0\r\n"));
}

TEST_F(OptionsFile, AFailedSaveLeavesTheFormerFileWhole) {
  const QByteArray former = "1\r\n1\r\n90\r\n120\r\n";
  writeBytes(path, former);
  storeValues({0, 0, 30, 60});
  {
    FailingWrites noRoom;
    SaveOptions();
  }
  EXPECT_EQ(readBytes(path), former);
  EXPECT_EQ(QDir(program.path()).entryList(QDir::Files), QStringList{"options.ini"});

  QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
  SaveOptions();
  EXPECT_EQ(readBytes(path), former);
  EXPECT_EQ(storedValues(), (StoredValues{0, 0, 30, 60}));  // the values stay in effect
}
