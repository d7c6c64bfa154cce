#pragma once

// options.ini in the settings folder carries the four option values between
// runs: one decimal integer a line, in the order gNoSound, gCutEnabled,
// gCutStart, gCutLength, each line ended by CR LF.

// Loads the values; without the file, sound on and cutter off. A field that
// is not a number gives 0; one that does not fit its value, or is missing,
// leaves the value as it was. Never reports anything.
void LoadOptions();

// Writes the four values as a whole; a failed write leaves the former file.
void SaveOptions();
