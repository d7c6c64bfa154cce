#include "AmrSink.h"

#include <opencore-amrnb/interf_enc.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdlib>

#include "ConvError.h"

namespace {

constexpr int kSampleRate = 8000;
constexpr int kFrameSamples = 160;
constexpr std::array<int, 8> kModeBitRates = {4750, 5150, 5900, 6700, 7400, 7950, 10200, 12200};

}  // namespace

AmrMode nearestAmrMode(int64_t bitRate) {
  AmrMode best{0, kModeBitRates[0]};
  for (int mode = 0; mode < int(kModeBitRates.size()); ++mode)
    if (std::llabs(kModeBitRates[mode] - bitRate) <= std::llabs(best.bitRate - bitRate))
      best = {mode, kModeBitRates[mode]};
  return best;
}

AmrSink::AmrSink(const SinkRequest& request) {
  EncoderLimits limits{{kSampleRate}, 0, {1}, 0, {AV_SAMPLE_FMT_S16}};
  ChosenShape chosen = chooseShape(request.wanted, limits, "AMR-NB");
  notes_ = chosen.notes;
  format_ = {chosen.shape, kFrameSamples, true};

  int64_t wantedRate = request.bitRate.value_or(request.format.defaultBitRate);
  AmrMode mode = nearestAmrMode(wantedRate);
  if (mode.bitRate != wantedRate)
    notes_.push_back("AMR-NB has no " + std::to_string(wantedRate) + " bit/s mode; using " +
                     std::to_string(mode.bitRate));
  mode_ = mode.mode;

  // A copy of the descriptor, which closing the stream ends.
  const int copy = ::dup(request.fd);
  if (copy >= 0) file_.reset(::fdopen(copy, "wb"));
  if (!file_) {
    int error = errno;
    if (copy >= 0) ::close(copy);
    throw systemError("writing the output", error);
  }
  encoder_ = Encoder_Interface_init(0);
  if (!encoder_) throw ConvError("cannot start the AMR-NB encoder");
  static constexpr char kMagic[] = "#!AMR\n";
  put(kMagic, sizeof kMagic - 1);
}

AmrSink::~AmrSink() {
  if (encoder_) Encoder_Interface_exit(encoder_);
}

void AmrSink::write(AVFrame& frame) {
  unsigned char packed[64];
  int size = Encoder_Interface_Encode(encoder_, Mode(mode_),
                                      reinterpret_cast<const short*>(frame.data[0]), packed, 0);
  if (size < 0) throw ConvError("AMR-NB encoding failed");
  put(packed, size_t(size));
}

void AmrSink::finish() {
  FILE* file = file_.release();
  if (std::fclose(file) != 0) {
    int error = errno;
    throw systemError("writing the output", error);
  }
}

void AmrSink::put(const void* data, size_t size) {
  if (std::fwrite(data, 1, size, file_.get()) != size) {
    int error = errno;
    throw systemError("writing the output", error);
  }
  bytes_ += int64_t(size);
}
