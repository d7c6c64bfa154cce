#pragma once
#include <QString>
#include <array>
#include <cstdint>
#include <optional>

// The cutter's start and duration as the user edits them: hours, minutes and
// seconds in six free-text fields, read by the program's number rules.
namespace cut {

enum Field { FromH, FromM, FromS, ToH, ToM, ToS, FieldCount };
using Fields = std::array<QString, FieldCount>;

// Whole seconds as the texts of hours, minutes and seconds, each part rounded
// down, so a negative time keeps minutes and seconds in 0..59 (-1 gives
// "-1", "59", "59").
std::array<QString, 3> splitSeconds(int32_t seconds);

struct Complaint {
  Field field;
  QString message;
};

// The first minutes or seconds field whose number is above 59, looked at in
// the order From minutes, Duration minutes, From seconds, Duration seconds.
std::optional<Complaint> firstComplaint(const Fields& fields);

// True when every field reads as zero (text that is no number counts as 0).
bool allZero(const Fields& fields);

// hours x 3600 + minutes x 60 + seconds of the From row or the Duration row;
// may lie outside any integer range.
double startSeconds(const Fields& fields);
double lengthSeconds(const Fields& fields);

}  // namespace cut
