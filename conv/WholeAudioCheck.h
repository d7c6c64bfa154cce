#pragma once
#include <cstdint>

#include "CommandLine.h"
#include "CutWindow.h"
#include "InputAudio.h"

// Refuses a run whose output would silently miss audio: a cut past the end of
// the input, an input without decodable audio, and one that holds less than it
// states, whether cut short or with stretches in the middle lost.
// cutStart: the start the window was made with.
void checkAudioWasWhole(const InputAudio& input, const ConvRequest& request, double cutStart,
                        const CutWindow& window, int64_t samplesWritten);
