#include "LibavSink.h"

#include "ConvError.h"
#include "FdIo.h"

namespace {

const AVCodec& findEncoder(const SinkRequest& request) {
  std::string name(request.codecName.value_or(std::string(request.format.defaultCodec)));
  const AVCodec* codec = avcodec_find_encoder_by_name(name.c_str());
  if (!codec || codec->type != AVMEDIA_TYPE_AUDIO) throw ConvError("no audio encoder named " + name);
  return *codec;
}

EncoderLimits limitsOf(const AVCodec& codec, const OutputFormat& format) {
  EncoderLimits limits;
  for (const int* rate = codec.supported_samplerates; rate && *rate; ++rate)
    limits.sampleRates.push_back(*rate);
  for (const AVChannelLayout* layout = codec.ch_layouts; layout && layout->nb_channels; ++layout)
    limits.channelCounts.push_back(layout->nb_channels);
  for (const AVSampleFormat* f = codec.sample_fmts; f && *f != AV_SAMPLE_FMT_NONE; ++f)
    limits.sampleFormats.push_back(*f);
  limits.maxChannels = format.maxChannels;
  limits.maxSampleRate = format.maxSampleRate;
  return limits;
}

}  // namespace

LibavSink::LibavSink(const SinkRequest& request) {
  const AVCodec& codec = findEncoder(request);
  AVFormatContext* muxer = nullptr;
  std::string muxerName(request.format.muxer);
  checkAv(avformat_alloc_output_context2(&muxer, nullptr, muxerName.c_str(), nullptr),
          "output format " + muxerName);
  muxer_.reset(muxer);
  // 0 is a clear no; a muxer may also answer that it cannot tell.
  if (avformat_query_codec(muxer->oformat, codec.id, FF_COMPLIANCE_NORMAL) == 0)
    throw ConvError("codec " + std::string(codec.name) + " cannot be stored in a " +
                    std::string(request.format.extension) + " file");
  openEncoder(request, codec);
  openFile(request);
}

void LibavSink::openEncoder(const SinkRequest& request, const AVCodec& codec) {
  ChosenShape chosen = chooseShape(request.wanted, limitsOf(codec, request.format), codec.name);
  notes_ = chosen.notes;
  format_.shape = chosen.shape;

  encoder_.reset(avcodec_alloc_context3(&codec));
  if (!encoder_) throw std::bad_alloc();
  encoder_->sample_rate = chosen.shape.sampleRate;
  encoder_->sample_fmt = chosen.shape.sampleFormat;
  av_channel_layout_default(&encoder_->ch_layout, chosen.shape.channels);
  encoder_->time_base = {1, chosen.shape.sampleRate};
  if (int64_t bitRate = request.bitRate.value_or(request.format.defaultBitRate); bitRate > 0)
    encoder_->bit_rate = bitRate;
  if (muxer_->oformat->flags & AVFMT_GLOBALHEADER)
    encoder_->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
  checkAv(avcodec_open2(encoder_.get(), &codec, nullptr), "encoder " + std::string(codec.name));

  bool anyFrameSize = codec.capabilities & AV_CODEC_CAP_VARIABLE_FRAME_SIZE;
  format_.frameSize = anyFrameSize ? 0 : encoder_->frame_size;
  format_.padLastFrame =
      format_.frameSize > 0 && !(codec.capabilities & AV_CODEC_CAP_SMALL_LAST_FRAME);
}

void LibavSink::openFile(const SinkRequest& request) {
  stream_ = avformat_new_stream(muxer_.get(), nullptr);
  if (!stream_) throw std::bad_alloc();
  checkAv(avcodec_parameters_from_context(stream_->codecpar, encoder_.get()), "output stream");
  stream_->time_base = encoder_->time_base;
  // Vorbis comments live in the stream; the other containers keep tags globally.
  av_dict_copy(&muxer_->metadata, request.tags, 0);
  av_dict_copy(&stream_->metadata, request.tags, 0);

  file_ = writerOver(request.fd);
  muxer_->pb = file_.get();
  muxer_->flags |= AVFMT_FLAG_CUSTOM_IO;
  muxer_->flush_packets = 0;  // the buffer goes out when full, not after every packet
  AVDictionary* options = nullptr;
  // Past 4 GiB a WAV header can no longer hold the size: the muxer then turns
  // the file into RF64 in place of the JUNK chunk it reserves.
  if (request.format.muxer == "wav") av_dict_set(&options, "rf64", "auto", 0);
  int written = avformat_write_header(muxer_.get(), &options);
  av_dict_free(&options);
  checkAv(written, "writing the output header");
}

std::string LibavSink::containerName() const { return muxer_->oformat->name; }

void LibavSink::write(AVFrame& frame) {
  frame.pts = samplesSent_;
  samplesSent_ += frame.nb_samples;
  checkAv(avcodec_send_frame(encoder_.get(), &frame), "encoding");
  writePackets();
}

void LibavSink::writePackets() {
  for (;;) {
    int received = avcodec_receive_packet(encoder_.get(), packet_.get());
    if (received == AVERROR(EAGAIN) || received == AVERROR_EOF) return;
    checkAv(received, "encoding");
    av_packet_rescale_ts(packet_.get(), encoder_->time_base, stream_->time_base);
    packet_->stream_index = stream_->index;
    checkAv(av_write_frame(muxer_.get(), packet_.get()), "writing the output");
  }
}

void LibavSink::finish() {
  checkAv(avcodec_send_frame(encoder_.get(), nullptr), "encoding");
  writePackets();
  checkAv(av_write_trailer(muxer_.get()), "completing the output");
  avio_flush(muxer_->pb);
  checkAv(muxer_->pb->error, "writing the output");
  finalSize_ = avio_size(muxer_->pb);  // the trailer may have moved back to the header
  muxer_->pb = nullptr;
}

int64_t LibavSink::bytesWritten() const {
  return muxer_->pb ? avio_tell(muxer_->pb) : finalSize_;
}
