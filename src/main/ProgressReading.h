#pragma once
#include <QString>
#include <QStringView>
#include <cstdint>
#include <optional>

// Reading the transcoder's log, one chunk of output at a time. A chunk may end
// in the middle of a line; fields are not joined across chunks.
namespace progress {

// The total length in whole seconds from the chunk's "Duration: " fields;
// nullopt when the chunk yields none (no field, "N/A", a part that is no number,
// a total beyond 32 bits).
std::optional<int32_t> durationSeconds(QStringView chunk);

// The values of every "time=" field of the chunk joined in order; nullopt when
// the chunk has no such field.
std::optional<QString> timeText(QStringView chunk);

// The position in whole seconds that a time text stands for.
int32_t positionSeconds(QStringView timeText);

// What the bar and its label show for a position against a total.
struct BarState {
  std::optional<float> widthTwips;  // nullopt: the width cannot take the value
  QString label;
};
inline constexpr float kFullBarTwips = 5415.0f;
BarState barFor(int32_t positionSeconds, int32_t totalSeconds);

}  // namespace progress
