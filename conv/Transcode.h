#pragma once
#include "CommandLine.h"

// Converts the request's input into its output, logging on stderr. Throws
// ConvError with the reason when no complete output could be made; the output
// path is then left as it was.
void transcode(const ConvRequest& request);
