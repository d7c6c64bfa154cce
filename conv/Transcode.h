#pragma once
#include "CommandLine.h"

// What a run left at the output path.
enum class Written {
  Whole,       // all the audio asked for
  Incomplete,  // all the input holds, which is less than it states; the log's last line says so
};

// Converts the request's input into its output, logging on stderr. Throws
// ConvError with the reason when nothing could be written; the output path is
// then left as it was.
Written transcode(const ConvRequest& request);
