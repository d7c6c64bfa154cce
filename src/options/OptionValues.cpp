#include "options/OptionValues.h"

int16_t gNoSound = 0;
int16_t gCutEnabled = 0;
int32_t gCutStart = 0;
int32_t gCutLength = 0;
