#pragma once
#include <stdexcept>
#include <string>

// A reason the run cannot go on; main prints it as the one line of failure.
struct ConvError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// Whether a libav error code says it could not get memory.
bool isOutOfMemory(int avError);

// Throws when code is negative, for the call that has just returned it:
// std::bad_alloc when the call lacked memory (by its code, or by its own
// lines, as a reader that could not have a table may fail later in other
// terms); otherwise a ConvError "what: <the call's last error line, or
// libav's text for code>". Returns code otherwise.
int checkAv(int code, const std::string& what);

// "what: <the system's text for error>"; callers save errno before building what.
ConvError systemError(const std::string& what, int error);

// libav's text for an error code.
std::string avErrorText(int code);
