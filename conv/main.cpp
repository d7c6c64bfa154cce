// conv: converts the audio of one media file, logging progress on stderr for
// the main program to read. Exit status 0 when the output holds all the audio
// asked for; 2 when it was written but the input holds less audio than it
// states (the last line says how much); 1 when nothing was written (the last
// line says why).
#include <csignal>
#include <new>
#include <string>
#include <vector>

#include "CommandLine.h"
#include "ConvError.h"
#include "LibavLog.h"
#include "LogText.h"
#include "MemoryLimits.h"
#include "Transcode.h"

int main(int argc, char** argv) {
  // libav's own chatter would push the Duration line out of the log's first
  // bytes; every failure is reported by us as one line instead.
  keepLibavErrors();
  // The conversion finishes even when no one reads the log any more.
  std::signal(SIGPIPE, SIG_IGN);
  std::string inputPath;
  try {
    const ConvRequest request = parseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    inputPath = request.inputPath;
    limitMemory(inputPath);
    return transcode(request) == Written::Whole ? 0 : 2;
  } catch (const ConvError& error) {
    writeLog("conv: " + std::string(error.what()) + "\n");
  } catch (const std::bad_alloc&) {
    writeLog("conv: " + memoryRefusal(inputPath) + "\n");
  }
  return 1;
}
