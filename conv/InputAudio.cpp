#include "InputAudio.h"

#include <algorithm>
#include <cmath>

extern "C" {
#include <libavutil/parseutils.h>
}

#include "ConvError.h"
#include "StatedLength.h"
#include "WavHeader.h"

namespace {

// A header's length beyond this (over 100,000 years) cannot be true, and its
// microseconds would not fit the log's count: such a length is ignored.
constexpr double kLongestCredibleSeconds = 3.2e12;

std::optional<double> credible(std::optional<double> seconds) {
  if (seconds && std::isfinite(*seconds) && *seconds > 0 && *seconds < kLongestCredibleSeconds)
    return seconds;
  return std::nullopt;
}

// What the header of a PCM WAV declares, which libavformat does not keep.
std::optional<double> declaredWavSeconds(const std::optional<WavDataChunk>& wav,
                                         const AVCodecParameters& audio) {
  int bits = av_get_bits_per_sample(audio.codec_id);
  if (!wav || !wav->declaredBytes || bits <= 0) return std::nullopt;
  return *wav->declaredBytes * 8.0 / (double(bits) * audio.ch_layout.nb_channels * audio.sample_rate);
}

// The length of the audio by a header that libavformat reads but does not
// keep, or drops when the file is shorter than it says.
std::optional<double> headerSeconds(const std::string& path, std::string_view container,
                                    const std::optional<WavDataChunk>& wav, const AVStream& audio) {
  if (container == "avi") return credible(aviStatedSeconds(path, audio.index));
  if (container == "asf") return credible(asfStatedSeconds(path));
  if (container == "wav") return credible(declaredWavSeconds(wav, *audio.codecpar));
  return std::nullopt;
}

// Whether the audio is the file's one track, pictures of its cover aside:
// only then is a length the file states for itself the audio's length.
bool isOnlyTrack(const AVFormatContext& file, const AVStream& audio) {
  for (unsigned i = 0; i < file.nb_streams; ++i) {
    const AVStream& other = *file.streams[i];
    if (&other == &audio || other.disposition & AV_DISPOSITION_ATTACHED_PIC) continue;
    const AVMediaType type = other.codecpar->codec_type;
    if (type == AVMEDIA_TYPE_AUDIO || type == AVMEDIA_TYPE_VIDEO) return false;
  }
  return true;
}

}  // namespace

InputAudio::InputAudio(const std::string& path) : path_(path), file_(path) {
  const std::optional<WavDataChunk> wav = readWavDataChunk(path);
  const AVInputFormat* raw = nullptr;
  AVDictionary* options = nullptr;
  // libavformat's WAV reader would stop where a wrapped size points, then hunt
  // for chunks through gigabytes of samples: plain PCM is read raw instead.
  // The raw reader takes the header's rate and channels as given, and sizes its
  // reads by them: without both, the file is left to the WAV reader's checks.
  if (wav && wav->sizeWrapped && !wav->rawDemuxer.empty() && wav->sampleRate > 0 &&
      wav->channels > 0) {
    raw = av_find_input_format(wav->rawDemuxer.c_str());
    av_dict_set_int(&options, "sample_rate", wav->sampleRate, 0);
    av_dict_set_int(&options, "channels", wav->channels, 0);
    av_dict_set_int(&options, "skip_initial_bytes", wav->offset, 0);
  }
  AVFormatContext* opened = avformat_alloc_context();
  if (!opened) throw std::bad_alloc();
  opened->pb = file_.reader();
  int openResult = avformat_open_input(&opened, path.c_str(), raw, &options);
  av_dict_free(&options);
  file_.checkOpened(openResult);
  container_.reset(opened);
  checkAv(avformat_find_stream_info(opened, nullptr), "'" + path + "'");

  const AVCodec* codec = nullptr;
  int index = av_find_best_stream(opened, AVMEDIA_TYPE_AUDIO, -1, -1, &codec, 0);
  if (index == AVERROR_STREAM_NOT_FOUND) throw ConvError("'" + path + "' has no audio stream");
  if (index < 0 || !codec) throw ConvError("'" + path + "': no decoder for its audio stream");
  stream_ = opened->streams[index];
  for (unsigned i = 0; i < opened->nb_streams; ++i)
    if (int(i) != index) opened->streams[i]->discard = AVDISCARD_ALL;

  decoder_.reset(avcodec_alloc_context3(codec));
  if (!decoder_) throw std::bad_alloc();
  checkAv(avcodec_parameters_to_context(decoder_.get(), stream_->codecpar), "audio decoder");
  decoder_->pkt_timebase = stream_->time_base;
  checkAv(avcodec_open2(decoder_.get(), codec, nullptr), "audio decoder " + std::string(codec->name));
  if (decoder_->sample_rate <= 0 || decoder_->ch_layout.nb_channels <= 0)
    throw ConvError("'" + path + "': its audio stream has no usable sample rate or channels");
  headerSeconds_ = headerSeconds(path, raw ? "wav" : opened->iformat->name, wav, *stream_);
  onlyTrack_ = isOnlyTrack(*opened, *stream_);
}

std::optional<int64_t> InputAudio::startMicros() const {
  if (container_->start_time == AV_NOPTS_VALUE) return std::nullopt;
  return container_->start_time;
}

std::optional<int64_t> InputAudio::durationMicros() const {
  if (headerSeconds_) return int64_t(*headerSeconds_ * AV_TIME_BASE);
  if (container_->duration == AV_NOPTS_VALUE) return std::nullopt;
  return container_->duration;
}

std::optional<InputAudio::Span> InputAudio::statedAudio() const {
  // ASF states only the file's length, in its header and on every track: with
  // a video beside the audio, that is the longer of the two.
  if (!onlyTrack_ && std::string_view(container_->iformat->name) == "asf") return std::nullopt;
  if (headerSeconds_) return Span{0, *headerSeconds_};
  if (container_->duration_estimation_method != AVFMT_DURATION_FROM_STREAM) return std::nullopt;
  const double origin = startMicros().value_or(0) / 1e6;
  const double start =
      stream_->start_time == AV_NOPTS_VALUE ? 0 : stream_->start_time * av_q2d(stream_->time_base) - origin;
  if (stream_->duration != AV_NOPTS_VALUE && stream_->duration > 0)
    return Span{start, start + stream_->duration * av_q2d(stream_->time_base)};
  // Matroska and WebM state the length of the whole file, and muxers add
  // where each track ends as a tag (taken as the end, the smaller reading).
  int64_t trackEnd = 0;
  const AVDictionaryEntry* tag = av_dict_get(stream_->metadata, "DURATION", nullptr, 0);
  if (tag && av_parse_time(&trackEnd, tag->value, 1) == 0 && trackEnd > 0)
    return Span{start, trackEnd / 1e6 - origin};
  // The whole file's length (Matroska, FLV) is the audio's only when nothing
  // runs beside it.
  if (onlyTrack_ && container_->duration != AV_NOPTS_VALUE && container_->duration > 0)
    return Span{start, container_->duration / 1e6};
  return std::nullopt;
}

bool InputAudio::seekTo(double seconds) {
  // Nothing lies past the end; aiming there also keeps the target within
  // what the container's arithmetic can take.
  if (std::optional<int64_t> duration = durationMicros()) seconds = std::min(seconds, *duration / 1e6);
  if (!(seconds >= 0 && seconds < kLongestCredibleSeconds)) return false;
  int64_t target = startMicros().value_or(0) + int64_t(seconds * AV_TIME_BASE);
  return avformat_seek_file(container_.get(), -1, INT64_MIN, target, target, 0) >= 0;
}

void InputAudio::decode(const FrameHandler& onFrame) {
  libav::PacketPtr packet = libav::makePacket();
  for (;;) {
    int read = av_read_frame(container_.get(), packet.get());
    if (read == AVERROR_EOF) break;
    if (read < 0) throw ConvError("reading '" + path_ + "': " + avErrorText(read));
    if (packet->stream_index != stream_->index) {
      av_packet_unref(packet.get());
      continue;
    }
    // A damaged packet loses its own stretch only, as players do.
    int sent = avcodec_send_packet(decoder_.get(), packet.get());
    av_packet_unref(packet.get());
    if (sent < 0) lastError_ = sent;
    if (!receiveFrames(onFrame)) return;
  }
  avcodec_send_packet(decoder_.get(), nullptr);
  receiveFrames(onFrame);
  if (framesDecoded_ == 0 && lastError_ < 0)
    throw ConvError("'" + path_ + "': cannot decode its audio: " + avErrorText(lastError_));
}

bool InputAudio::receiveFrames(const FrameHandler& onFrame) {
  for (;;) {
    int received = avcodec_receive_frame(decoder_.get(), frame_.get());
    if (received == AVERROR(EAGAIN) || received == AVERROR_EOF) return true;
    if (received < 0) {  // this stretch is lost; later packets may decode
      lastError_ = received;
      return true;
    }
    ++framesDecoded_;
    std::optional<double> position;
    if (frame_->best_effort_timestamp != AV_NOPTS_VALUE)
      position = frame_->best_effort_timestamp * av_q2d(stream_->time_base) -
                 startMicros().value_or(0) / 1e6;
    bool wanted = onFrame(*frame_, position);
    av_frame_unref(frame_.get());
    if (!wanted) return false;
  }
}
