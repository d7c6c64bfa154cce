#include "main/CommandLines.h"
#include "platform/CommandLineSplit.h"

#include <gtest/gtest.h>

namespace {

ConversionRequest request(int format, bool cut) {
  ConversionRequest r;
  r.programFolder = "/App";
  r.input = "/in/clip.mp4";
  r.outputFolder = "/App/output";
  r.formatIndex = format;
  r.bitrateText = "192";
  r.rateText = "44100";
  r.channelIndex = 1;
  r.cutEnabled = cut;
  r.cutStart = 30;
  r.cutLength = 90;
  return r;
}

}  // namespace

TEST(CommandLines, EveryFormatInBothSets) {
  const QString head = R"("/App/data/conv" -i "/in/clip.mp4")";
  const QString cut = " -ss 30 -t 90";
  const QString out = R"("/App/output/clip)";
  const QString tags = R"( -map_meta_data "/in/clip.mp4":)";
  struct Row {
    QString whole;
    QString cut;
  } rows[] = {
      {head + " -y -vn -ab 192k -ar 44100 -ac 2" + tags + out + R"(.mp3" )" + out + R"(.mp3")",
       head + cut + " -y -vn -ab 192k -ar 44100 -ac 2" + tags + out + R"(.mp3" )" + out +
           R"(.mp3")"},
      {head + " -y -vn -acodec wmav1" + tags + out + R"(.wma" )" + out + R"(.wma")",
       head + cut + " -y -vn -acodec wmav1 " + tags + out + R"(.wma" )" + out + R"(.wma")"},
      {head + " -y -vn -ac 2" + tags + out + R"(.ogg" )" + out + R"(.ogg")",
       head + cut + " -y -vn -ac 2 " + tags + out + R"(.ogg" )" + out + R"(.ogg")"},
      {head + " -y -vn -acodec pcm_s16le " + out + R"(.wav")",
       head + cut + " -y -vn -acodec pcm_s16le " + out + R"(.wav")"},
      {head + " -y -vn " + out + R"(.flac")", head + cut + " -y -vn " + out + R"(.flac")"},
      {head + " -y -vn " + out + R"(.ac3")", head + cut + " -y -vn " + out + R"(.ac3")"},
      {head + " -y -vn " + out + R"(.aac")", head + cut + " -y -vn " + out + R"(.aac")"},
      {head + " -y -vn -ar 8000 -ab 7.4k -ac 1 " + out + R"(.amr")",
       head + cut + " -y -vn -ar 8000 -ab 7.4k -ac 1 " + out + R"(.amr")"},
  };
  for (int i = 0; i < 8; ++i) {
    EXPECT_EQ(buildCommandLine(request(i, false)), rows[i].whole) << i;
    EXPECT_EQ(buildCommandLine(request(i, true)), rows[i].cut) << i;
  }
}

TEST(CommandLines, TheTwoWorkedExamples) {
  EXPECT_EQ(buildCommandLine(request(0, false)),
            R"("/App/data/conv" -i "/in/clip.mp4" -y -vn -ab 192k -ar 44100 -ac 2 -map_meta_data )"
            R"("/in/clip.mp4":"/App/output/clip.mp3" "/App/output/clip.mp3")");
  EXPECT_EQ(buildCommandLine(request(1, true)),
            R"("/App/data/conv" -i "/in/clip.mp4" -ss 30 -t 90 -y -vn -acodec wmav1  -map_meta_data )"
            R"("/in/clip.mp4":"/App/output/clip.wma" "/App/output/clip.wma")");
}

TEST(CommandLines, QualityListsAndNumbersAsTheyStand) {
  ConversionRequest r = request(0, true);
  r.channelIndex = -1;  // nothing selected
  r.bitrateText = "320";
  r.rateText = "12050";
  r.cutStart = 0;
  r.cutLength = -5;
  const QString line = buildCommandLine(r);
  EXPECT_TRUE(line.contains(" -ss 0 -t -5 -y -vn -ab 320k -ar 12050 -ac 0 ")) << line.toStdString();

  r.formatIndex = -1;
  EXPECT_EQ(buildCommandLine(r), "");
  r.formatIndex = 8;
  EXPECT_EQ(buildCommandLine(r), "");
}

TEST(CommandLines, OutputFolderAndBaseName) {
  ConversionRequest r = request(3, false);
  r.input = "/a/my.song.live.mp4";
  r.outputFolder = "/out/";
  EXPECT_TRUE(buildCommandLine(r).endsWith(R"( "/out/my.wav")"));
  r.outputFolder = "/out";
  EXPECT_TRUE(buildCommandLine(r).endsWith(R"( "/out/my.wav")"));
  r.outputFolder = "";
  EXPECT_TRUE(buildCommandLine(r).endsWith(R"( "/my.wav")"));
  EXPECT_EQ(outputFolderWithSeparator(""), "/");
}

TEST(CommandLines, TheTranscoderReceivesTheExactPaths) {
  ConversionRequest r = request(0, false);
  r.programFolder = R"(/my "app")";
  r.input = R"(/in/say "hi" \ now.mp4)";
  r.outputFolder = R"(/out "x")";
  const QStringList args = platform::splitCommandLine(buildCommandLine(r));
  const QString output = R"(/out "x"/say "hi" \ now.mp3)";
  EXPECT_EQ(args, QStringList({R"(/my "app"/data/conv)", "-i", r.input, "-y", "-vn", "-ab", "192k",
                               "-ar", "44100", "-ac", "2", "-map_meta_data", r.input + ":" + output,
                               output}));
}
