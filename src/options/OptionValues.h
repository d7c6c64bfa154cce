#pragma once
#include <cstdint>

// The program-wide option values: read by the conversion at every file,
// loaded at start-up and changed only by the options window's OK.
extern int16_t gNoSound;     // 0: play the finishing sound; anything else: silent
extern int16_t gCutEnabled;  // not 0: convert only the stretch below
extern int32_t gCutStart;    // seconds into each file
extern int32_t gCutLength;   // seconds
