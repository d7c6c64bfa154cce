#include "support/NumberRules.h"

#include <gtest/gtest.h>
#include <clocale>
#include <limits>
#include <string>

using namespace numbers;

TEST(NumberRules, ReadsTheLongestLeadingNumber) {
  EXPECT_DOUBLE_EQ(readNumber(u"12abc"), 12);
  EXPECT_DOUBLE_EQ(readNumber(u"abc"), 0);
  EXPECT_DOUBLE_EQ(readNumber(u""), 0);
  EXPECT_DOUBLE_EQ(readNumber(u"1 2"), 12);  // blanks are ignored wherever they stand
  EXPECT_DOUBLE_EQ(readNumber(u"\t-3.5\n"), -3.5);
  EXPECT_DOUBLE_EQ(readNumber(u"12.3413.56"), 12.3413);
  EXPECT_DOUBLE_EQ(readNumber(u"1,1"), 1);
  EXPECT_DOUBLE_EQ(readNumber(u"25.17,"), 25.17);
  EXPECT_DOUBLE_EQ(readNumber(u"1.5E2x"), 150);
  EXPECT_DOUBLE_EQ(readNumber(u"2E"), 2);  // an exponent without digits is not taken
  EXPECT_DOUBLE_EQ(readNumber(u".5"), 0.5);
  EXPECT_FALSE(readLeadingNumber(u"-").has_value());
  EXPECT_FALSE(readLeadingNumber(u".").has_value());
}

TEST(NumberRules, IgnoresTheLocaleDecimalSeparator) {
  const char* old = std::setlocale(LC_NUMERIC, nullptr);
  const std::string saved = old ? old : "C";
  if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8")) {
    EXPECT_DOUBLE_EQ(readNumber(u"1.5"), 1.5);
  }
  std::setlocale(LC_NUMERIC, saved.c_str());
}

TEST(NumberRules, FitsIntegersRoundingHalfToEven) {
  EXPECT_EQ(toInt16(1.5), 2);
  EXPECT_EQ(toInt16(2.5), 2);
  EXPECT_EQ(toInt16(0.5), 0);
  EXPECT_EQ(toInt16(-1.5), -2);
  EXPECT_EQ(toInt16(32767.4), 32767);
  EXPECT_FALSE(toInt16(70000).has_value());
  EXPECT_FALSE(toInt16(32767.5).has_value());
  EXPECT_EQ(toInt32(2147483647), 2147483647);
  EXPECT_FALSE(toInt32(2147483648.0).has_value());
  EXPECT_FALSE(toInt32(readNumber(u"1e400")).has_value());
}

TEST(NumberRules, BeyondTheDoubleRangeTheMagnitudeDecides) {
  const std::string zeros(400, '0');
  const double largest = std::numeric_limits<double>::max();
  EXPECT_EQ(readNumber(QString::fromStdString("1" + zeros)), largest);
  EXPECT_EQ(readNumber(QString::fromStdString("-1" + zeros)), -largest);
  EXPECT_EQ(readNumber(QString::fromStdString("-1" + zeros + "e-5")), -largest);
  EXPECT_EQ(readNumber(u"-1.8e308"), -largest);  // just beyond the limits
  EXPECT_EQ(readNumber(u"2e-324"), 0);
  EXPECT_EQ(readNumber(u"0.001e99999999999999999999"), largest);
  EXPECT_EQ(readNumber(QString::fromStdString("0." + zeros + "1")), 0);
  EXPECT_EQ(readNumber(QString::fromStdString("1" + zeros + "e-800")), 0);
  EXPECT_EQ(readNumber(u"0e99999"), 0);
  // At the limits themselves the values are read as they are.
  EXPECT_EQ(readNumber(u"1.7976931348623157e308"), largest);
  EXPECT_EQ(readNumber(u"-1.7976931348623157e308"), -largest);
  EXPECT_EQ(readNumber(u"2.2250738585072014e-308"), std::numeric_limits<double>::min());
  EXPECT_EQ(readNumber(u"4.9406564584124654e-324"), std::numeric_limits<double>::denorm_min());
  EXPECT_FALSE(toInt32(readNumber(QString::fromStdString("-1" + zeros))).has_value());
}

TEST(NumberRules, WritesPlainNumbers) {
  EXPECT_EQ(integerText(0), "0");
  EXPECT_EQ(integerText(-1), "-1");
  EXPECT_EQ(integerText(75), "75");

  EXPECT_EQ(decimalText(100.0 / 3600000), "0.0000277777777777778");  // 15 digits, no exponent
  EXPECT_EQ(decimalText(-1.5e-7), "-0.00000015");
  EXPECT_EQ(decimalText(1e20), "100000000000000000000");
  EXPECT_EQ(decimalText(4975.60975609756097), "4975.60975609756");
  EXPECT_EQ(decimalText(-0.0), "0");
  const double infinity = std::numeric_limits<double>::infinity();
  EXPECT_EQ(decimalText(infinity), "inf");
  EXPECT_EQ(decimalText(-infinity), "-inf");
  EXPECT_EQ(decimalText(std::numeric_limits<double>::quiet_NaN()), "nan");
}
