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

bool isOutOfMemory(int avError) { return avError == AVERROR(ENOMEM); }

int checkAv(int code, const std::string& what) {
  // What libav said before a call that went well belongs to no failure.
  const LibavErrors said = takeLibavErrors();
  if (code >= 0) return code;
  if (isOutOfMemory(code) || said.lackedMemory) throw std::bad_alloc();
  throw ConvError(what + ": " + (said.lastLine.empty() ? avErrorText(code) : said.lastLine));
}

ConvError systemError(const std::string& what, int error) {
  return ConvError(what + ": " + std::strerror(error));
}
