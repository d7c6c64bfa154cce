#include "options/CutTimes.h"

#include "support/NumberRules.h"

#include <cmath>

namespace cut {
namespace {

double number(const Fields& fields, Field field) { return numbers::readNumber(fields[field]); }

double rowSeconds(const Fields& fields, Field hours, Field minutes, Field seconds) {
  return number(fields, hours) * 3600 + number(fields, minutes) * 60 + number(fields, seconds);
}

}  // namespace

std::array<QString, 3> splitSeconds(int32_t seconds) {
  const double total = seconds;
  const double hours = std::floor(total / 3600);
  const double minutes = std::floor((total - hours * 3600) / 60);
  const double rest = std::floor(total - hours * 3600 - minutes * 60);
  auto text = [](double part) { return numbers::integerText(static_cast<int64_t>(part)); };
  return {text(hours), text(minutes), text(rest)};
}

std::optional<Complaint> firstComplaint(const Fields& fields) {
  static const Complaint order[] = {
      {FromM, QStringLiteral("Minutes must less than 60")},
      {ToM, QStringLiteral("Minutes must less than 60")},
      {FromS, QStringLiteral("Seconds must less than 60")},
      {ToS, QStringLiteral("Seconds must less than 60")},
  };
  // A number too large for a double reads as the largest one, so it fails here too.
  for (const Complaint& check : order)
    if (number(fields, check.field) > 59) return check;
  return std::nullopt;
}

bool allZero(const Fields& fields) {
  for (const QString& text : fields)
    if (numbers::readNumber(text) != 0) return false;
  return true;
}

double startSeconds(const Fields& fields) { return rowSeconds(fields, FromH, FromM, FromS); }

double lengthSeconds(const Fields& fields) { return rowSeconds(fields, ToH, ToM, ToS); }

}  // namespace cut
