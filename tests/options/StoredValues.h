#pragma once
#include "options/OptionValues.h"

#include <ostream>

// The four option values taken and set as one, for comparisons in tests.
struct StoredValues {
  int16_t noSound, cutEnabled;
  int32_t cutStart, cutLength;
  bool operator==(const StoredValues&) const = default;
};

inline void PrintTo(const StoredValues& v, std::ostream* os) {
  *os << v.noSound << ", " << v.cutEnabled << ", " << v.cutStart << ", " << v.cutLength;
}

inline StoredValues storedValues() { return {gNoSound, gCutEnabled, gCutStart, gCutLength}; }

inline void storeValues(const StoredValues& v) {
  gNoSound = v.noSound;
  gCutEnabled = v.cutEnabled;
  gCutStart = v.cutStart;
  gCutLength = v.cutLength;
}
