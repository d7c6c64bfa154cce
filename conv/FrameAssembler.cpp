#include "FrameAssembler.h"

#include <algorithm>
#include <cmath>
#include <string>

extern "C" {
#include <libavutil/opt.h>
}

#include "ConvError.h"

namespace {

// Bringing the rate down, the resampler's filter grows with the ratio, and its
// table with the filter's taps times its phases: from 192 kHz to 1 Hz that
// would be millions of taps. Everyday ratios keep the resampler's own
// settings; beyond them the filter is shortened and its phases made fewer, as
// far as a limit past which the rates are too far apart to convert.
constexpr int kFilterSize = 32;            // the resampler's own, in taps at the lower rate
constexpr int kPhaseShift = 10;            // the resampler's own: up to 1024 phases
constexpr double kEverydayTaps = 2048;
constexpr double kLongestTaps = 65536;
constexpr int kTableEntriesLog2 = 20;      // taps times phases, about 8 MB of doubles

void boundFilter(SwrContext& swr, int inRate, int outRate) {
  const double ratio = double(inRate) / outRate;
  if (kFilterSize * ratio <= kEverydayTaps) return;
  const int size = std::max(1, int(kEverydayTaps / ratio));
  const double taps = size * ratio;
  if (taps > kLongestTaps)
    throw ConvError("cannot convert " + std::to_string(inRate) + " Hz to " + std::to_string(outRate) +
                    " Hz: the rates are too far apart");
  const int phaseShift = std::clamp(kTableEntriesLog2 - std::ilogb(taps) - 1, 0, kPhaseShift);
  checkAv(av_opt_set_int(&swr, "filter_size", size, 0), "resampler");
  checkAv(av_opt_set_int(&swr, "phase_shift", phaseShift, 0), "resampler");
}

// Decoders may leave the layout unspecified; the count is all that matters then.
AVChannelLayout layoutOf(const AVFrame& frame) {
  AVChannelLayout layout{};
  if (frame.ch_layout.order == AV_CHANNEL_ORDER_UNSPEC)
    av_channel_layout_default(&layout, frame.ch_layout.nb_channels);
  else
    av_channel_layout_copy(&layout, &frame.ch_layout);
  return layout;
}

// Float encoders expect samples within full scale, and one NaN or infinity,
// from a float file or a damaged frame, makes some abort and others refuse
// the whole file. Integer samples cannot hold either. The pass touches every
// sample of most outputs, so it is kept to vector instructions, and to the
// widest the processor has.
#if defined(__x86_64__) && defined(__GNUC__)
#define WIDEST_VECTORS __attribute__((target_clones("avx2", "default")))
#else
#define WIDEST_VECTORS
#endif

template <typename Sample>
WIDEST_VECTORS void clampToFullScale(Sample* samples, int count) {
#pragma omp simd
  for (int i = 0; i < count; ++i) {
    const Sample value = samples[i] == samples[i] ? samples[i] : 0;  // NaN: silence
    samples[i] = value < -1 ? -1 : value > 1 ? 1 : value;
  }
}

template <typename Sample>
void clampToFullScale(AVFrame& frame) {
  const bool planar = av_sample_fmt_is_planar(AVSampleFormat(frame.format));
  const int channels = frame.ch_layout.nb_channels;
  for (int plane = 0; plane < (planar ? channels : 1); ++plane)
    clampToFullScale(reinterpret_cast<Sample*>(frame.extended_data[plane]),
                     frame.nb_samples * (planar ? 1 : channels));
}

void makeSafeForEncoders(AVFrame& frame) {
  switch (av_get_packed_sample_fmt(AVSampleFormat(frame.format))) {
    case AV_SAMPLE_FMT_FLT:
      return clampToFullScale<float>(frame);
    case AV_SAMPLE_FMT_DBL:
      return clampToFullScale<double>(frame);
    default:
      return;
  }
}

}  // namespace

FrameAssembler::FrameAssembler(AudioSink& sink) : sink_(sink), format_(sink.format()) {
  av_channel_layout_default(&outLayout_, format_.shape.channels);
  fifo_.reset(av_audio_fifo_alloc(format_.shape.sampleFormat, format_.shape.channels,
                                  std::max(format_.frameSize, 4096)));
  if (!fifo_) throw std::bad_alloc();
}

FrameAssembler::~FrameAssembler() {
  av_channel_layout_uninit(&outLayout_);
  av_channel_layout_uninit(&inLayout_);
}

bool FrameAssembler::configureFor(const AVFrame& frame) {
  AVChannelLayout layout = layoutOf(frame);
  const AVSampleFormat format = AVSampleFormat(frame.format);
  if (configured_ && frame.sample_rate == inRate_ && format == inFormat_ &&
      av_channel_layout_compare(&layout, &inLayout_) == 0) {
    av_channel_layout_uninit(&layout);
    return true;
  }
  // Audio already in the sink's shape goes straight on, saving a copy.
  libav::SwrPtr resampler;
  if (frame.sample_rate != format_.shape.sampleRate || format != format_.shape.sampleFormat ||
      av_channel_layout_compare(&layout, &outLayout_) != 0) {
    try {
      resampler = makeResampler(layout, format, frame.sample_rate);
    } catch (const ConvError& refusal) {
      if (framesSkipped_++ == 0) firstRefusal_ = refusal.what();
      av_channel_layout_uninit(&layout);
      return false;
    }
  }
  // The decoder changed shape midway: what the old setup still holds goes first.
  if (resampler_) convert(nullptr, 0);
  av_channel_layout_uninit(&inLayout_);
  inLayout_ = layout;
  inRate_ = frame.sample_rate;
  inFormat_ = format;
  configured_ = true;
  resampler_ = std::move(resampler);
  return true;
}

libav::SwrPtr FrameAssembler::makeResampler(AVChannelLayout& layout, AVSampleFormat format,
                                            int rate) {
  SwrContext* swr = nullptr;
  checkAv(swr_alloc_set_opts2(&swr, &outLayout_, format_.shape.sampleFormat,
                              format_.shape.sampleRate, &layout, format, rate, 0, nullptr),
          "resampler");
  libav::SwrPtr resampler(swr);
  boundFilter(*swr, rate, format_.shape.sampleRate);
  checkAv(swr_init(swr), "resampler");
  return resampler;
}

void FrameAssembler::push(const AVFrame& frame, int first, int count) {
  if (count <= 0 || !configureFor(frame)) return;
  secondsTaken_ += double(count) / frame.sample_rate;
  const int planes = av_sample_fmt_is_planar(inFormat_) ? frame.ch_layout.nb_channels : 1;
  const int stride = av_get_bytes_per_sample(inFormat_) *
                     (av_sample_fmt_is_planar(inFormat_) ? 1 : frame.ch_layout.nb_channels);
  const uint8_t* input[64];
  if (planes > int(std::size(input))) throw ConvError("too many channels in the input");
  for (int done = 0; done < count; done += kPieceSamples) {
    const int piece = std::min(count - done, kPieceSamples);
    for (int p = 0; p < planes; ++p)
      input[p] = frame.extended_data[p] + size_t(first + done) * stride;
    if (resampler_) {
      convert(input, piece);
    } else {
      store(input, piece);
      deliver(false);
    }
  }
}

void FrameAssembler::convert(const uint8_t** input, int count) {
  if (!converted_->buf[0]) {
    converted_->format = format_.shape.sampleFormat;
    converted_->nb_samples = kPieceSamples;
    checkAv(av_channel_layout_copy(&converted_->ch_layout, &outLayout_), "resampler");
    checkAv(av_frame_get_buffer(converted_.get(), 0), "resampler");
  }
  // One input sample may become tens of thousands at a high enough rate
  // ratio: the resampler keeps what does not fit and gives it out piece by
  // piece (a count of 0 with an input asks for more without ending the stream).
  int made = 0;
  do {
    made = checkAv(swr_convert(resampler_.get(), converted_->extended_data, kPieceSamples, input, count),
                   "resampling");
    count = 0;
    store(converted_->extended_data, made);
    deliver(false);
  } while (made == kPieceSamples);
}

void FrameAssembler::store(const uint8_t* const* samples, int count) {
  if (count > 0 &&
      av_audio_fifo_write(fifo_.get(), const_cast<void**>(reinterpret_cast<const void* const*>(samples)),
                          count) < count)
    throw std::bad_alloc();
}

void FrameAssembler::storeSilence(int count) {
  libav::FramePtr silence = libav::makeFrame();
  silence->format = format_.shape.sampleFormat;
  silence->nb_samples = count;
  checkAv(av_channel_layout_copy(&silence->ch_layout, &outLayout_), "resampler");
  checkAv(av_frame_get_buffer(silence.get(), 0), "resampler");
  av_samples_set_silence(silence->extended_data, 0, count, format_.shape.channels,
                         format_.shape.sampleFormat);
  store(silence->extended_data, count);
}

void FrameAssembler::deliver(bool last) {
  const int frameSize = format_.frameSize;
  for (;;) {
    int available = av_audio_fifo_size(fifo_.get());
    if (available == 0 || (frameSize > 0 && available < frameSize && !last)) return;
    int samples = frameSize > 0 ? std::min(available, frameSize) : available;
    int allocated = format_.padLastFrame ? frameSize : samples;

    if (outgoing_->buf[0] && outgoing_->nb_samples == allocated) {
      checkAv(av_frame_make_writable(outgoing_.get()), "encoding");
    } else {
      av_frame_unref(outgoing_.get());
      outgoing_->format = format_.shape.sampleFormat;
      outgoing_->sample_rate = format_.shape.sampleRate;
      outgoing_->nb_samples = allocated;
      checkAv(av_channel_layout_copy(&outgoing_->ch_layout, &outLayout_), "encoding");
      checkAv(av_frame_get_buffer(outgoing_.get(), 0), "encoding");
    }
    av_audio_fifo_read(fifo_.get(), reinterpret_cast<void**>(outgoing_->extended_data), samples);
    if (samples < allocated)
      av_samples_set_silence(outgoing_->extended_data, samples, allocated - samples,
                             format_.shape.channels, format_.shape.sampleFormat);
    makeSafeForEncoders(*outgoing_);
    sink_.write(*outgoing_);
    samplesWritten_ += samples;
  }
}

void FrameAssembler::finish() {
  if (resampler_) convert(nullptr, 0);
  // Input shorter than the resampler's filter gives nothing out: as long a
  // stretch of silence stands in for it, so that it still makes an output.
  if (samplesWritten_ == 0 && av_audio_fifo_size(fifo_.get()) == 0 && secondsTaken_ > 0)
    storeSilence(int(std::clamp(std::lround(secondsTaken_ * format_.shape.sampleRate), 1L,
                                long(kPieceSamples))));
  deliver(true);
  if (samplesWritten_ == 0 && framesSkipped_ > 0) throw ConvError(firstRefusal_);
}
