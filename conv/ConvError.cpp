#include "ConvError.h"

#include <cstring>

extern "C" {
#include <libavutil/error.h>
}

std::string avErrorText(int code) {
  char text[AV_ERROR_MAX_STRING_SIZE] = {};
  av_strerror(code, text, sizeof text);
  return text;
}

int checkAv(int code, const std::string& what) {
  if (code < 0) throw ConvError(what + ": " + avErrorText(code));
  return code;
}

ConvError systemError(const std::string& what, int error) {
  return ConvError(what + ": " + std::strerror(error));
}
