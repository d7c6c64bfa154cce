#pragma once
#include <stdexcept>
#include <string>

// A reason the run cannot go on; main prints it as the one line of failure.
struct ConvError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// Throws a ConvError "what: <libav's last error line, or its text for code>"
// when code is negative (std::bad_alloc when libav lacked memory); returns
// code otherwise.
int checkAv(int code, const std::string& what);

// "what: <the system's text for error>"; callers save errno before building what.
ConvError systemError(const std::string& what, int error);

// libav's text for an error code.
std::string avErrorText(int code);
