#include "options/CutTimes.h"

#include <QStringList>
#include <gtest/gtest.h>

namespace {

cut::Fields fields(const char* fromH, const char* fromM, const char* fromS, const char* toH,
                   const char* toM, const char* toS) {
  return {fromH, fromM, fromS, toH, toM, toS};
}

TEST(CutTimes, SplitsSecondsRoundingEachPartDown) {
  const struct {
    int32_t seconds;
    std::array<const char*, 3> parts;
  } cases[] = {
      {3725, {"1", "2", "5"}},
      {90, {"0", "1", "30"}},
      {0, {"0", "0", "0"}},
      {-1, {"-1", "59", "59"}},
      {-3600, {"-1", "0", "0"}},
      {-3661, {"-2", "58", "59"}},
      {INT32_MAX, {"596523", "14", "7"}},
      {INT32_MIN, {"-596524", "45", "52"}},
  };
  for (const auto& c : cases) {
    const auto parts = cut::splitSeconds(c.seconds);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(parts[i], c.parts[i]) << c.seconds << " part " << i;
  }
}

TEST(CutTimes, ComplainsAboutTheFirstMinutesThenSecondsAbove59) {
  const struct {
    cut::Fields fields;
    std::optional<cut::Field> failing;
    const char* message;
  } cases[] = {
      {fields("0", "59", "59", "0", "59", "59"), std::nullopt, ""},
      {fields("1000", "-5", "abc", "99", "1.5", "0"), std::nullopt, ""},  // hours are free
      {fields("0", "60", "0", "0", "0", "0"), cut::FromM, "Minutes must less than 60"},
      {fields("0", "0", "60", "0", "0", "60"), cut::FromS, "Seconds must less than 60"},
      {fields("0", "0", "0", "0", "0", "6 0"), cut::ToS, "Seconds must less than 60"},
      // Minutes of both rows are looked at before any seconds, From before Duration.
      {fields("0", "70", "75", "0", "70", "75"), cut::FromM, "Minutes must less than 60"},
      {fields("0", "0", "75", "0", "70", "75"), cut::ToM, "Minutes must less than 60"},
  };
  for (const auto& c : cases) {
    const auto complaint = cut::firstComplaint(c.fields);
    const std::string label =
        QStringList(c.fields.begin(), c.fields.end()).join(u'|').toStdString();
    ASSERT_EQ(complaint.has_value(), c.failing.has_value()) << label;
    if (!complaint) continue;
    EXPECT_EQ(complaint->field, *c.failing) << label;
    EXPECT_EQ(complaint->message, c.message) << label;
  }
}

}  // namespace
