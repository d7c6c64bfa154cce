#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include "CommandLine.h"
#include "CutWindow.h"
#include "InputAudio.h"

// What a run's decoded audio is checked against once the input is read.
// cutStart: the start the window was made with.

// Throws ConvError when there is nothing to write: a cut past the end of the
// input or shorter than one sample, an input damaged before the cut starts,
// or one without decodable audio.
void refuseEmptyOutput(const InputAudio& input, const ConvRequest& request, double cutStart,
                       const CutWindow& window, int64_t samplesWritten);

// The log's last line when reading the input failed before its end, or when
// it holds less audio than it states, whether cut short or with stretches in
// the middle lost; nullopt when it is whole.
// What there is still gets written: a heuristic about lengths must never cost
// the user a file.
std::optional<std::string> shortfall(const InputAudio& input, const ConvRequest& request,
                                     double cutStart, const CutWindow& window);
