#include "TestMedia.h"

#include <cctype>
#include <cmath>
#include <cstring>
#include <functional>
#include <stdexcept>

#include "LibavPtr.h"

namespace {

// libav's warnings about the test's own files would only clutter the output.
const bool kQuietLibav = (av_log_set_level(AV_LOG_ERROR), true);

void check(int code, const char* what) {
  if (code < 0) throw std::runtime_error(std::string(what) + " failed: " + std::to_string(code));
}

// A tone per channel; in s16 (planar or not) the first channel instead counts
// the hundredths of a second (modulo 2^16), so a cut can be checked to the
// sample.
void fillAudio(AVFrame& frame, int64_t firstSample) {
  for (int i = 0; i < frame.nb_samples; ++i) {
    int64_t n = firstSample + i;
    for (int c = 0; c < frame.ch_layout.nb_channels; ++c) {
      double tone = 0.3 * std::sin(2 * M_PI * (440 + 220 * c) * n / frame.sample_rate);
      const int16_t value = c == 0 ? int16_t(n * 100 / frame.sample_rate) : int16_t(tone * 32767);
      const int at = i * frame.ch_layout.nb_channels + c;
      if (frame.format == AV_SAMPLE_FMT_FLTP)
        reinterpret_cast<float*>(frame.data[c])[i] = float(tone);
      else if (frame.format == AV_SAMPLE_FMT_FLT)
        reinterpret_cast<float*>(frame.data[0])[at] = float(tone);
      else if (frame.format == AV_SAMPLE_FMT_DBL)
        reinterpret_cast<double*>(frame.data[0])[at] = tone;
      else if (frame.format == AV_SAMPLE_FMT_S16P)
        reinterpret_cast<int16_t*>(frame.data[c])[i] = value;
      else
        reinterpret_cast<int16_t*>(frame.data[0])[at] = value;
    }
  }
}

// The encoder's first format that fillAudio writes (WavPack's first is u8).
AVSampleFormat fillableFormat(const AVCodec& codec) {
  for (const AVSampleFormat* format = codec.sample_fmts; *format != AV_SAMPLE_FMT_NONE; ++format)
    if (*format == AV_SAMPLE_FMT_S16 || *format == AV_SAMPLE_FMT_S16P || *format == AV_SAMPLE_FMT_FLTP)
      return *format;
  return codec.sample_fmts[0];
}

struct Track {
  libav::CodecPtr encoder;
  AVStream* stream = nullptr;
  int64_t next = 0;  // in encoder time base
};

Track addTrack(AVFormatContext& muxer, const char* codecName,
               const std::function<void(AVCodecContext&)>& setup,
               const std::map<std::string, std::string>& options = {}) {
  const AVCodec* codec = avcodec_find_encoder_by_name(codecName);
  if (!codec) throw std::runtime_error(std::string("no encoder ") + codecName);
  Track track;
  track.encoder.reset(avcodec_alloc_context3(codec));
  setup(*track.encoder);
  if (muxer.oformat->flags & AVFMT_GLOBALHEADER) track.encoder->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
  AVDictionary* settings = nullptr;
  for (const auto& [key, value] : options) av_dict_set(&settings, key.c_str(), value.c_str(), 0);
  const int opened = avcodec_open2(track.encoder.get(), codec, &settings);
  av_dict_free(&settings);
  check(opened, "open encoder");
  track.stream = avformat_new_stream(&muxer, nullptr);
  check(avcodec_parameters_from_context(track.stream->codecpar, track.encoder.get()), "params");
  track.stream->time_base = track.encoder->time_base;
  return track;
}

void send(AVFormatContext& muxer, Track& track, AVFrame* frame) {
  check(avcodec_send_frame(track.encoder.get(), frame), "encode");
  libav::PacketPtr packet = libav::makePacket();
  while (avcodec_receive_packet(track.encoder.get(), packet.get()) == 0) {
    av_packet_rescale_ts(packet.get(), track.encoder->time_base, track.stream->time_base);
    packet->stream_index = track.stream->index;
    check(av_interleaved_write_frame(&muxer, packet.get()), "write");
  }
}

libav::FramePtr nextFrame(Track& track, int64_t firstPts) {
  AVCodecContext& e = *track.encoder;
  libav::FramePtr frame = libav::makeFrame();
  frame->pts = firstPts + track.next;
  if (e.codec_type == AVMEDIA_TYPE_VIDEO) {
    frame->format = e.pix_fmt, frame->width = e.width, frame->height = e.height;
    check(av_frame_get_buffer(frame.get(), 0), "video frame");
    for (int plane = 0; plane < 3; ++plane)
      memset(frame->data[plane], int(track.next * 10 % 256), frame->linesize[plane] * (plane ? e.height / 2 : e.height));
    track.next += 1;
  } else {
    frame->format = e.sample_fmt, frame->sample_rate = e.sample_rate;
    frame->nb_samples = e.frame_size > 0 ? e.frame_size : 1024;
    av_channel_layout_copy(&frame->ch_layout, &e.ch_layout);
    check(av_frame_get_buffer(frame.get(), 0), "audio frame");
    fillAudio(*frame, track.next);
    track.next += frame->nb_samples;
  }
  return frame;
}

}  // namespace

void writeMedia(const std::string& path, const MediaRecipe& recipe) {
  AVFormatContext* raw = nullptr;
  check(avformat_alloc_output_context2(&raw, nullptr, recipe.muxer.c_str(), path.c_str()), "muxer");
  libav::OutputPtr muxer(raw);
  for (const auto& [key, value] : recipe.tags) av_dict_set(&raw->metadata, key.c_str(), value.c_str(), 0);

  std::vector<Track> tracks;
  if (!recipe.audioCodec.empty())
    tracks.push_back(addTrack(*raw, recipe.audioCodec.c_str(), [&](AVCodecContext& e) {
      e.sample_rate = recipe.sampleRate;
      av_channel_layout_default(&e.ch_layout, recipe.channels);
      e.sample_fmt = fillableFormat(*e.codec);
      e.time_base = {1, recipe.sampleRate};
    }, recipe.audioOptions));
  if (!recipe.audioCodec.empty())
    for (const auto& [key, value] : recipe.streamTags)
      av_dict_set(&tracks.front().stream->metadata, key.c_str(), value.c_str(), 0);
  if (recipe.withVideo)
    tracks.push_back(addTrack(*raw, recipe.videoCodec.c_str(), [](AVCodecContext& e) {
      e.width = 64, e.height = 48, e.pix_fmt = AV_PIX_FMT_YUV420P, e.time_base = {1, 10};
    }));
  AVStream* subtitles = nullptr;
  if (recipe.subtitleEnd > 0) {
    subtitles = avformat_new_stream(raw, nullptr);
    subtitles->codecpar->codec_type = AVMEDIA_TYPE_SUBTITLE;
    subtitles->codecpar->codec_id = AV_CODEC_ID_SUBRIP;
    subtitles->time_base = {1, 1000};
  }
  check(avio_open(&raw->pb, path.c_str(), AVIO_FLAG_WRITE), "open file");
  check(avformat_write_header(raw, nullptr), "header");
  for (Track& track : tracks) {
    const bool video = track.encoder->codec_type == AVMEDIA_TYPE_VIDEO;
    const double seconds = video && recipe.videoSeconds > 0 ? recipe.videoSeconds : recipe.seconds;
    const int64_t firstPts = video ? 0 : int64_t(recipe.audioStart * recipe.sampleRate);
    for (double at = 0; at < seconds; at = track.next * av_q2d(track.encoder->time_base)) {
      const bool afterGap = !video && recipe.gapAt > 0 && at >= recipe.gapAt;
      send(*raw, track, nextFrame(track, firstPts + (afterGap ? recipe.sampleRate : 0)).get());
    }
    send(*raw, track, nullptr);
  }
  if (subtitles) {
    libav::PacketPtr cue = libav::makePacket();
    check(av_new_packet(cue.get(), 5), "cue");
    memcpy(cue->data, "hello", 5);
    cue->duration = av_rescale_q(1000, {1, 1000}, subtitles->time_base);
    cue->pts = cue->dts = av_rescale_q(int64_t(recipe.subtitleEnd * 1000), {1, 1000}, subtitles->time_base) -
                          cue->duration;
    cue->stream_index = subtitles->index;
    check(av_interleaved_write_frame(raw, cue.get()), "write cue");
  }
  check(av_write_trailer(raw), "trailer");
}

void setAviAudioStart(std::string& bytes, double seconds) {
  const size_t header = bytes.find("auds");  // the stream header: dwScale, dwRate, dwStart from 20
  auto field = [&](size_t at) {
    uint32_t value = 0;
    for (int i = 3; i >= 0; --i) value = value << 8 | uint8_t(bytes[header + at + i]);
    return value;
  };
  const uint32_t units = uint32_t(seconds * field(24) / field(20));
  bytes.replace(header + 28, 4, littleEndianBytes(units, 4));
}

std::string littleEndianBytes(uint64_t value, int count) {
  std::string out;
  for (int i = 0; i < count; ++i) out += char(value >> (8 * i) & 0xFF);
  return out;
}

std::string pcmFormatChunk(uint32_t sampleRate) {
  auto le = littleEndianBytes;
  return "fmt " + le(16, 4) + le(1, 2) + le(2, 2) + le(sampleRate, 4) + le(sampleRate * 4ull, 4) +
         le(4, 2) + le(16, 2);
}

MediaFacts probeMedia(const std::string& path) {
  AVFormatContext* raw = nullptr;
  check(avformat_open_input(&raw, path.c_str(), nullptr, nullptr), "open input");
  libav::InputPtr input(raw);
  check(avformat_find_stream_info(raw, nullptr), "stream info");
  const AVCodec* codec = nullptr;
  int index = av_find_best_stream(raw, AVMEDIA_TYPE_AUDIO, -1, -1, &codec, 0);
  check(index, "audio stream");
  AVStream* stream = raw->streams[index];
  libav::CodecPtr decoder(avcodec_alloc_context3(codec));
  avcodec_parameters_to_context(decoder.get(), stream->codecpar);
  check(avcodec_open2(decoder.get(), codec, nullptr), "open decoder");

  MediaFacts facts;
  facts.codec = avcodec_get_name(stream->codecpar->codec_id);
  facts.sampleRate = decoder->sample_rate;
  facts.channels = decoder->ch_layout.nb_channels;
  for (AVDictionary* dict : {raw->metadata, stream->metadata})
    for (const AVDictionaryEntry* e = nullptr; (e = av_dict_get(dict, "", e, AV_DICT_IGNORE_SUFFIX));)
      facts.tags[e->key] = e->value;

  libav::PacketPtr packet = libav::makePacket();
  libav::FramePtr frame = libav::makeFrame();
  int64_t samples = 0;
  auto drain = [&] {
    while (avcodec_receive_frame(decoder.get(), frame.get()) == 0) {
      if (samples == 0 && frame->format == AV_SAMPLE_FMT_S16)
        facts.firstSample = reinterpret_cast<int16_t*>(frame->data[0])[0];
      // Counted at the first rate: the links of a chained Ogg differ.
      samples += av_rescale(frame->nb_samples, facts.sampleRate, frame->sample_rate);
    }
  };
  while (av_read_frame(raw, packet.get()) >= 0) {
    if (packet->stream_index == index) avcodec_send_packet(decoder.get(), packet.get());
    av_packet_unref(packet.get());
    drain();
  }
  avcodec_send_packet(decoder.get(), nullptr);
  drain();
  facts.decodedSeconds = double(samples) / facts.sampleRate;
  return facts;
}

std::string asTestName(std::string fileName) {
  for (char& c : fileName) c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
  return fileName;
}
