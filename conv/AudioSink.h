#pragma once
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "AudioShape.h"
#include "OutputFormats.h"

extern "C" {
#include <libavutil/dict.h>
#include <libavutil/frame.h>
}

// Where the converted audio goes: an encoder and the file it fills.
class AudioSink {
 public:
  struct Format {
    AudioShape shape;
    int frameSize = 0;          // samples every frame must hold; 0: any count
    bool padLastFrame = false;  // the encoder takes no short last frame
  };

  virtual ~AudioSink() = default;
  const Format& format() const { return format_; }
  // Lines telling where the encoder could not give what was asked.
  const std::vector<std::string>& notes() const { return notes_; }
  virtual std::string containerName() const = 0;
  // A frame in format(); the caller keeps ownership and may reuse it.
  virtual void write(AVFrame& frame) = 0;
  // Flushes the encoder and completes the file.
  virtual void finish() = 0;
  virtual int64_t bytesWritten() const = 0;

 protected:
  Format format_;
  std::vector<std::string> notes_;
};

struct SinkRequest {
  const OutputFormat& format;
  std::optional<std::string> codecName;
  std::optional<int64_t> bitRate;
  AudioShape wanted;
  int fd;                                // the open file to fill, left open
  const AVDictionary* tags = nullptr;  // copied into the file where it has room for them
};

std::unique_ptr<AudioSink> openSink(const SinkRequest& request);
