#include "main/ProgressReading.h"
#include "main/frmMain.h"
#include "options/OptionValues.h"
#include "common/Density.h"

#include <gtest/gtest.h>

namespace {

class Progress : public ::testing::Test {
 protected:
  void SetUp() override {
    gCutEnabled = 0;
    gCutLength = 0;
  }
  void TearDown() override { SetUp(); }
  frmMain window;
};

}  // namespace

TEST(ProgressReading, ReadsTheFields) {
  EXPECT_EQ(progress::durationSeconds(u"  Duration: 00:03:25.17, start: 0.000000"), 205);
  EXPECT_EQ(progress::durationSeconds(u"Duration: 30:00:00.00, x"), 108000);
  EXPECT_FALSE(progress::durationSeconds(u"Duration: N/A, start").has_value());
  EXPECT_FALSE(progress::durationSeconds(u"Duration:  00:00:10.00").has_value());
  EXPECT_FALSE(progress::durationSeconds(u"Duration: ab:00:10.00, ").has_value());
  EXPECT_FALSE(progress::durationSeconds(u"xx Duration: ").has_value());  // nothing after it
  EXPECT_EQ(progress::durationSeconds(u"Duration: 00:00:00.40, "), 0);
  EXPECT_FALSE(progress::durationSeconds(u"Duration: 999999:00:00.00, ").has_value());

  EXPECT_EQ(progress::timeText(u"size= 1kB time=12.34 bitrate"), "12.34");
  EXPECT_EQ(progress::timeText(u"time=12.34 x\rtime=13.56 y"), "12.3413.56");
  EXPECT_EQ(progress::timeText(u"time= x"), "");
  EXPECT_EQ(progress::timeText(u"end time=12"), "12");
  EXPECT_FALSE(progress::timeText(u"end time=").has_value());
  EXPECT_FALSE(progress::timeText(u"Time=1.00 ").has_value());

  EXPECT_EQ(progress::positionSeconds(u"102.50"), 102);
  EXPECT_EQ(progress::positionSeconds(u"103.50"), 104);
  EXPECT_EQ(progress::positionSeconds(u"12.3413.56"), 12);
  EXPECT_EQ(progress::positionSeconds(u"abc"), 0);
}

TEST(ProgressReading, BarAndLabel) {
  const auto half = progress::barFor(102, 205);
  EXPECT_NEAR(*half.widthTwips, 2694.29, 0.01);
  EXPECT_EQ(half.label, "49.7%");
  EXPECT_EQ(progress::barFor(30, 60).label, "50%");
  EXPECT_EQ(progress::barFor(0, 60).label, "0%");
  EXPECT_EQ(*progress::barFor(0, 60).widthTwips, 0.0f);
  EXPECT_EQ(progress::barFor(7891, 100000).label, "7.89%");
  EXPECT_EQ(progress::barFor(9999, 10000).label, "99.9%");
  EXPECT_EQ(progress::barFor(1, 3600000).label, "0.00%");  // 2.77...e-05, never in exponent form
  EXPECT_EQ(progress::barFor(210, 205).label, "100%");
  EXPECT_EQ(*progress::barFor(210, 205).widthTwips, 5415.0f);
  EXPECT_EQ(progress::barFor(5, 0).label, "100%");
}

TEST_F(Progress, TotalFromTheDurationThenPositionFromTime) {
  window.objDOS_ReceiveOutputs("Input #0\n  Duration: 00:03:25.17, start: 0.000000, bitrate: 1411 kb/s\n");
  EXPECT_EQ(window.mTotalSeconds, 205);
  EXPECT_EQ(window.lblPB->text(), "0%");  // a chunk without "time=" leaves the bar
  window.objDOS_ReceiveOutputs("  Duration: 00:01:00.00, \n");
  EXPECT_EQ(window.mTotalSeconds, 205);  // a later duration changes nothing
  window.objDOS_ReceiveOutputs("size=     512kB time=102.50 bitrate= 128.3kbits/s\n");
  EXPECT_NEAR(window.progressWidth(), 2694.29, 0.01);
  EXPECT_EQ(window.lblPB->text(), "49.7%");
  window.objDOS_ReceiveOutputs("no fields here");
  EXPECT_EQ(window.lblPB->text(), "49.7%");
}

TEST_F(Progress, CutterLengthIsTheTotal) {
  gCutEnabled = 3;
  gCutLength = 60;
  window.objDOS_ReceiveOutputs("  Duration: 00:03:25.17, start\nsize= 1kB time=30.00 bitrate=");
  EXPECT_EQ(window.mTotalSeconds, 60);
  EXPECT_FLOAT_EQ(window.progressWidth(), 2707.5f);
  EXPECT_EQ(window.lblPB->text(), "50%");
}

TEST_F(Progress, FullBarFillsItsTroughAtEveryDensity) {
  Density density(12, 12);
  window.skin.ScaleToDpi();
  window.objDOS_ReceiveOutputs("  Duration: 00:01:00.00, \nsize= 1kB time=60.00 bitrate=");
  EXPECT_FLOAT_EQ(window.progressWidth(), 4332.0f);  // 5415 x 12 / 15
  EXPECT_EQ(window.imgPB->width(), 361);             // the trough's pixels, as at 15
}

TEST_F(Progress, JoinedTimesAndUnknownTotals) {
  window.objDOS_ReceiveOutputs("  Duration: 00:01:40.00, \n");
  window.objDOS_ReceiveOutputs("time=12.34 a\ntime=13.56 b\n");  // reads 12.3413
  EXPECT_EQ(window.lblPB->text(), "12%");
  window.objDOS_ReceiveOutputs("size= 1kB time=50");  // cut at the chunk's end
  EXPECT_EQ(window.lblPB->text(), "50%");

  window.mTotalSeconds = 0;
  window.objDOS_ReceiveOutputs("Duration: N/A, time=3.00 x");
  EXPECT_EQ(window.mTotalSeconds, 0);
  EXPECT_FLOAT_EQ(window.progressWidth(), 5415.0f);
  EXPECT_EQ(window.lblPB->text(), "100%");
}
