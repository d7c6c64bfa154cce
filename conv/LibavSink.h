#pragma once
#include "AudioSink.h"
#include "LibavPtr.h"

// An encoder of libavcodec feeding a muxer of libavformat.
class LibavSink : public AudioSink {
 public:
  explicit LibavSink(const SinkRequest& request);
  std::string containerName() const override;
  void write(AVFrame& frame) override;
  void finish() override;
  int64_t bytesWritten() const override;

 private:
  void openEncoder(const SinkRequest& request, const AVCodec& codec);
  void openFile(const SinkRequest& request);
  void writePackets();

  libav::IoPtr file_;  // outlives the muxer writing through it
  libav::OutputPtr muxer_;
  libav::CodecPtr encoder_;
  libav::PacketPtr packet_ = libav::makePacket();
  AVStream* stream_ = nullptr;
  int64_t samplesSent_ = 0;
  int64_t finalSize_ = 0;
};
