#pragma once
#include <string>
#include <vector>

// One run of the built transcoder with the arguments as our runner passes them.
struct ConvResult {
  int exitCode = -1;  // -1: killed or hung
  std::string log;    // stdout and stderr as the main program sees them
  std::string lastLine() const;
};
ConvResult runConv(const std::vector<std::string>& args, int timeoutSeconds = 60);
