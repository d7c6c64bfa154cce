#include "support/NumberRules.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>
#include <string_view>

namespace numbers {
namespace {

bool isIgnoredBlank(QChar c) { return c == u' ' || c == u'\t' || c == u'\n'; }

// The text without the blanks that number reading skips, kept as far as it
// could still form a number, so a long line costs no more than its prefix.
std::string numberCandidate(QStringView text) {
  std::string out;
  for (QChar c : text) {
    if (isIgnoredBlank(c)) continue;
    const char16_t u = c.unicode();
    const bool allowed = (u >= u'0' && u <= u'9') || u == u'.' || u == u'+' || u == u'-' ||
                         u == u'e' || u == u'E';
    if (!allowed) break;
    out.push_back(static_cast<char>(u));
  }
  return out;
}

// The power of ten of a number's first significant digit (123 gives 2, 0.05
// gives -2); zero has the lowest order. The exponent is capped so that an
// absurdly long one cannot overflow the count.
long long decimalOrder(std::string_view number) {
  if (number.front() == '-') number.remove_prefix(1);
  const size_t e = number.find_first_of("eE");
  const std::string_view mantissa = number.substr(0, e);
  const size_t point = std::min(mantissa.find('.'), mantissa.size());
  const size_t first = mantissa.find_first_of("123456789");
  if (first == std::string_view::npos) return std::numeric_limits<long long>::min();
  long long order = (first < point) ? static_cast<long long>(point - first) - 1
                                    : static_cast<long long>(point) - static_cast<long long>(first);
  if (e != std::string_view::npos) {
    std::string_view exponent = number.substr(e + 1);
    const bool negativeExponent = exponent.front() == '-';
    if (exponent.front() == '+' || negativeExponent) exponent.remove_prefix(1);
    constexpr long long kCap = 1'000'000'000;
    long long magnitude = 0;
    for (char digit : exponent) magnitude = std::min(kCap, magnitude * 10 + (digit - '0'));
    order += negativeExponent ? -magnitude : magnitude;
  }
  return order;
}

}  // namespace

std::optional<double> readLeadingNumber(QStringView text) {
  const std::string s = numberCandidate(text);
  size_t i = 0;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
  size_t digitCount = 0;
  bool seenPoint = false;
  for (; i < s.size(); ++i) {
    if (s[i] >= '0' && s[i] <= '9') {
      ++digitCount;
    } else if (s[i] == '.' && !seenPoint) {
      seenPoint = true;
    } else {
      break;
    }
  }
  if (digitCount == 0) return std::nullopt;
  size_t end = i;
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
    size_t j = i + 1;
    if (j < s.size() && (s[j] == '+' || s[j] == '-')) ++j;
    const size_t expStart = j;
    while (j < s.size() && s[j] >= '0' && s[j] <= '9') ++j;
    if (j > expStart) end = j;
  }
  // from_chars ignores the locale, so "." is the decimal point everywhere;
  // it takes no "+" sign, which therefore is stripped first.
  const size_t start = (s[0] == '+') ? 1 : 0;
  double value = 0.0;
  const auto result = std::from_chars(s.data() + start, s.data() + end, value);
  if (result.ec == std::errc::result_out_of_range) {
    // Out of range is either beyond the largest double or below the smallest
    // one; the number's own magnitude tells which, whatever its sign.
    const bool negative = s[0] == '-';
    if (decimalOrder(std::string_view(s).substr(start, end - start)) < 0)
      return negative ? -0.0 : 0.0;
    return negative ? -std::numeric_limits<double>::max() : std::numeric_limits<double>::max();
  }
  return value;
}

double readNumber(QStringView text) { return readLeadingNumber(text).value_or(0.0); }

double roundHalfEven(double value) { return std::nearbyint(value); }

namespace {
template <typename Int>
std::optional<Int> fitInteger(double value) {
  if (std::isnan(value)) return std::nullopt;
  const double r = roundHalfEven(value);
  if (r < static_cast<double>(std::numeric_limits<Int>::min()) ||
      r > static_cast<double>(std::numeric_limits<Int>::max()))
    return std::nullopt;
  return static_cast<Int>(r);
}
}  // namespace

std::optional<int16_t> toInt16(double value) { return fitInteger<int16_t>(value); }
std::optional<int32_t> toInt32(double value) { return fitInteger<int32_t>(value); }

QString integerText(int64_t value) { return QString::number(value); }

QString decimalText(double value) {
  if (value == 0) return QStringLiteral("0");
  // No digits and no power of ten to place: named as they are.
  if (std::isnan(value)) return QStringLiteral("nan");
  if (std::isinf(value)) return value < 0 ? QStringLiteral("-inf") : QStringLiteral("inf");
  // The scientific form "d.dddddddddddddde-x" holds the 15 rounded digits and
  // the power of ten of the first; the point is then moved by hand.
  char buffer[32];
  char* end = std::to_chars(std::begin(buffer), std::end(buffer), std::fabs(value),
                            std::chars_format::scientific, 14)
                  .ptr;
  char* e = std::find(buffer, end, 'e');
  int exponent = 0;
  std::from_chars(e[1] == '+' ? e + 2 : e + 1, end, exponent);
  std::string digits = buffer[0] + std::string(buffer + 2, e);
  digits.erase(digits.find_last_not_of('0') + 1);

  std::string text = value < 0 ? "-" : "";
  if (exponent < 0) {
    text += "0." + std::string(-exponent - 1, '0') + digits;
  } else {
    const size_t whole = static_cast<size_t>(exponent) + 1;
    if (digits.size() < whole) digits.append(whole - digits.size(), '0');
    text += digits.substr(0, whole);
    if (digits.size() > whole) text += "." + digits.substr(whole);
  }
  return QString::fromLatin1(text);
}

}  // namespace numbers
