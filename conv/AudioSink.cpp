#include "AudioSink.h"

#include "AmrSink.h"
#include "ConvError.h"
#include "LibavSink.h"

std::unique_ptr<AudioSink> openSink(const SinkRequest& request) {
  if (!request.format.opencoreAmr) return std::make_unique<LibavSink>(request);
  if (request.codecName && *request.codecName != request.format.defaultCodec &&
      *request.codecName != "amr_nb")
    throw ConvError("codec " + *request.codecName + " cannot be stored in an .amr file");
  return std::make_unique<AmrSink>(request);
}
