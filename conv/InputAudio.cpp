#include "InputAudio.h"

#include <algorithm>
#include <new>

#include "ConvError.h"
#include "LibavLog.h"
#include "WavHeader.h"

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
  container_ = file_.openContainer(raw, libav::DictPtr(options));
  AVFormatContext* opened = container_.get();
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
  const std::string_view container = opened->iformat->name;
  const bool wavFile = raw || container == "wav" || container == "w64";
  stated_ = statedLength(path, *opened, *stream_, wavFile ? wav : std::nullopt);
}

std::optional<int64_t> InputAudio::startMicros() const {
  if (container_->start_time == AV_NOPTS_VALUE) return std::nullopt;
  return container_->start_time;
}

std::optional<int64_t> InputAudio::durationMicros() const {
  if (stated_ && stated_->fromHeader()) return int64_t(stated_->end * AV_TIME_BASE);
  if (container_->duration == AV_NOPTS_VALUE) return std::nullopt;
  return container_->duration;
}

std::optional<StatedLength> InputAudio::countedLength() const {
  if (stated_ && stated_->trust == StatedLength::Trust::Counted) return stated_;
  return std::nullopt;
}

bool InputAudio::seekTo(double seconds) {
  // Before the audio begins there is nothing to skip, and a reader asked to
  // land there may land past its first packets (AVI with a start offset).
  if (stated_ && seconds <= stated_->start) return false;
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
    // Only the read's own lines may explain its failure, not a damaged
    // packet's from before.
    takeLibavErrors();
    int read = av_read_frame(container_.get(), packet.get());
    if (read == AVERROR_EOF) break;
    if (read < 0) {
      stopReading(read);
      break;
    }
    if (packet->stream_index != stream_->index) {
      av_packet_unref(packet.get());
      continue;
    }
    // A damaged packet loses its own stretch only, as players do.
    int sent = avcodec_send_packet(decoder_.get(), packet.get());
    av_packet_unref(packet.get());
    if (sent < 0) noteLostStretch(sent);
    if (!receiveFrames(onFrame)) return;
  }
  avcodec_send_packet(decoder_.get(), nullptr);
  receiveFrames(onFrame);
  if (framesDecoded_ == 0 && readFailure_)
    throw ConvError("reading '" + path_ + "': " + readFailure_->reason);
  if (framesDecoded_ == 0 && lastError_ < 0)
    throw ConvError("'" + path_ + "': cannot decode its audio: " + avErrorText(lastError_));
}

void InputAudio::stopReading(int error) {
  const LibavErrors said = takeLibavErrors();
  // Memory refused is no damage: the run ends as refused.
  if (isOutOfMemory(error) || said.lackedMemory) throw std::bad_alloc();
  readFailure_ = ReadFailure{said.lastLine.empty() ? avErrorText(error) : said.lastLine,
                             avio_feof(container_->pb) != 0};
}

void InputAudio::noteLostStretch(int error) {
  if (isOutOfMemory(error)) throw std::bad_alloc();
  lastError_ = error;
}

bool InputAudio::receiveFrames(const FrameHandler& onFrame) {
  for (;;) {
    int received = avcodec_receive_frame(decoder_.get(), frame_.get());
    if (received == AVERROR(EAGAIN) || received == AVERROR_EOF) return true;
    if (received < 0) {  // this stretch is lost; later packets may decode
      noteLostStretch(received);
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
