#include "support/GetFile.h"

#include <gtest/gtest.h>

TEST(GetFile, CutsTheNameAfterTheLastSeparatorAndBeforeTheFirstDot) {
  struct Case {
    const char* path;
    const char* name;
    const char* noExt;
  } cases[] = {
      {"", "", ""},
      {"/music/song.mp4", "song.mp4", "song"},
      {"song.mp4", "song.mp4", "song"},
      {"/music/a.b.mp4", "a.b.mp4", "a"},
      {"/music/noext", "noext", "noext"},
      {"/music/.hidden", ".hidden", ""},
      {"/music/", "", ""},
      {"/my.dir/file", "file", "file"},
      {"C:\\music\\song.mp4", "C:\\music\\song.mp4", "C:\\music\\song"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(GetFileName(QString::fromUtf8(c.path)), QString::fromUtf8(c.name)) << c.path;
    EXPECT_EQ(GetFileNameNoExt(QString::fromUtf8(c.path)), QString::fromUtf8(c.noExt)) << c.path;
  }
}

TEST(GetFile, InputsDifferingOnlyAfterTheFirstDotShareTheirName) {
  EXPECT_EQ(GetFileNameNoExt("/a/clip.part1.mp4"), GetFileNameNoExt("/b/clip.part2.avi"));
}
