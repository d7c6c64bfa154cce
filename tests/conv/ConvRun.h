#pragma once
#include <sys/types.h>

#include <string>
#include <vector>

// Runs of the built transcoder with the arguments as our runner passes them.
struct ConvResult {
  int exitCode = -1;  // -1: ended by a signal, or killed as hung
  std::string log;    // stdout and stderr as the main program sees them
  long peakKiB = 0;   // the run's largest resident memory
  std::string lastLine() const;
};

struct ConvProcess {
  pid_t pid = -1;
  int logFd = -1;
};
ConvProcess startConv(const std::vector<std::string>& args);
// Reads the log until it holds text, the run ends or the timeout passes, and
// returns what it read (which finishConv's log then lacks).
std::string readLogUntil(const ConvProcess& process, const std::string& text,
                         int timeoutSeconds = 20);
// Collects the log until the process ends; kills it after the timeout.
ConvResult finishConv(const ConvProcess& process, int timeoutSeconds = 60);

inline ConvResult runConv(const std::vector<std::string>& args, int timeoutSeconds = 60) {
  return finishConv(startConv(args), timeoutSeconds);
}
