#include "main/ProgressReading.h"

#include "support/NumberRules.h"

#include <QList>

namespace progress {
namespace {

// Every value that follows `field` in the chunk, up to the next blank or the
// chunk's end, joined. A field needs at least one character after it inside
// the chunk to be seen at all.
std::optional<QString> fieldValues(QStringView chunk, QStringView field) {
  std::optional<QString> joined;
  const qsizetype lastStart = chunk.size() - field.size() - 1;
  for (qsizetype at = 0; at <= lastStart; ++at) {
    if (chunk.mid(at, field.size()) != field) continue;
    QString& text = joined ? *joined : joined.emplace();
    for (qsizetype i = at + field.size(); i < chunk.size() && chunk[i] != u' '; ++i)
      text.append(chunk[i]);
  }
  return joined;
}

}  // namespace

std::optional<int32_t> durationSeconds(QStringView chunk) {
  const auto text = fieldValues(chunk, u"Duration: ");
  if (!text || text->isEmpty()) return std::nullopt;
  const auto parts = QStringView(*text).split(u':');
  if (parts.size() < 3) return std::nullopt;
  double total = 0.0;
  const double weights[3] = {3600.0, 60.0, 1.0};
  for (int i = 0; i < 3; ++i) {
    const auto part = numbers::readLeadingNumber(parts[i]);
    if (!part) return std::nullopt;
    total += *part * weights[i];
  }
  return numbers::toInt32(total);
}

std::optional<QString> timeText(QStringView chunk) { return fieldValues(chunk, u"time="); }

int32_t positionSeconds(QStringView timeText) {
  return numbers::toInt32(numbers::readNumber(timeText)).value_or(0);
}

BarState barFor(int32_t position, int32_t total) {
  if (total == 0) return {kFullBarTwips, QStringLiteral("100%")};
  const double fraction = static_cast<double>(position) / total;
  const double percent = 100.0 * fraction;
  if (percent >= 100.0) return {kFullBarTwips, QStringLiteral("100%")};
  BarState state;
  const float width = static_cast<float>(kFullBarTwips * fraction);
  if (width >= 0.0f) state.widthTwips = width;
  // Cut to four characters without rounding: 49.756 shows as 49.7, and a
  // tiny share of a long file as 0.00.
  state.label = numbers::decimalText(percent).left(4) + u'%';
  return state;
}

}  // namespace progress
