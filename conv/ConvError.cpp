#include "ConvError.h"

#include <cerrno>
#include <cstring>
#include <new>

#include "LibavLog.h"

extern "C" {
#include <libavutil/error.h>
}

std::string avErrorText(int code) {
  char text[AV_ERROR_MAX_STRING_SIZE] = {};
  av_strerror(code, text, sizeof text);
  return text;
}

int checkAv(int code, const std::string& what) {
  // What libav said before a call that went well belongs to no failure.
  const std::string said = takeLibavError();
  if (code == AVERROR(ENOMEM)) throw std::bad_alloc();
  if (code < 0) throw ConvError(what + ": " + (said.empty() ? avErrorText(code) : said));
  return code;
}

ConvError systemError(const std::string& what, int error) {
  return ConvError(what + ": " + std::strerror(error));
}
