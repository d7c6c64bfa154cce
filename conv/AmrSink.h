#pragma once
#include <cstdio>
#include <memory>

#include "AudioSink.h"

// AMR-NB through libopencore-amrnb (libavcodec has no encoder for it), in the
// "#!AMR\n" storage format: 8000 Hz mono, 160 samples a frame.
class AmrSink : public AudioSink {
 public:
  explicit AmrSink(const SinkRequest& request);
  ~AmrSink() override;
  std::string containerName() const override { return "amr"; }
  void write(AVFrame& frame) override;
  void finish() override;
  int64_t bytesWritten() const override { return bytes_; }

 private:
  void put(const void* data, size_t size);

  struct FileCloser {
    void operator()(FILE* f) const { std::fclose(f); }
  };
  std::unique_ptr<FILE, FileCloser> file_;
  void* encoder_ = nullptr;
  int mode_ = 0;
  int64_t bytes_ = 0;
};

// The AMR-NB mode nearest to a bitrate ("7.4k" is the 7.4 kbit/s mode).
struct AmrMode {
  int mode;
  int bitRate;
};
AmrMode nearestAmrMode(int64_t bitRate);
