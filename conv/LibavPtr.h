#pragma once
#include <memory>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/audio_fifo.h>
#include <libavutil/frame.h>
#include <libswresample/swresample.h>
}

// Owning pointers for the libav objects, each freed by its own function.
namespace libav {

struct InputCloser {
  void operator()(AVFormatContext* c) const { avformat_close_input(&c); }
};
struct OutputFreer {
  void operator()(AVFormatContext* c) const {
    if (c && c->pb && !(c->flags & AVFMT_FLAG_CUSTOM_IO)) avio_closep(&c->pb);
    avformat_free_context(c);
  }
};
struct CodecFreer {
  void operator()(AVCodecContext* c) const { avcodec_free_context(&c); }
};
struct FrameFreer {
  void operator()(AVFrame* f) const { av_frame_free(&f); }
};
struct PacketFreer {
  void operator()(AVPacket* p) const { av_packet_free(&p); }
};
struct SwrFreer {
  void operator()(SwrContext* s) const { swr_free(&s); }
};
struct FifoFreer {
  void operator()(AVAudioFifo* f) const { av_audio_fifo_free(f); }
};
struct DictFreer {
  void operator()(AVDictionary* d) const { av_dict_free(&d); }
};
// For contexts of our own over a descriptor: the buffer is freed, the descriptor left open.
struct IoFreer {
  void operator()(AVIOContext* io) const {
    if (io) av_freep(&io->buffer);
    avio_context_free(&io);
  }
};

using InputPtr = std::unique_ptr<AVFormatContext, InputCloser>;
using OutputPtr = std::unique_ptr<AVFormatContext, OutputFreer>;
using CodecPtr = std::unique_ptr<AVCodecContext, CodecFreer>;
using FramePtr = std::unique_ptr<AVFrame, FrameFreer>;
using PacketPtr = std::unique_ptr<AVPacket, PacketFreer>;
using SwrPtr = std::unique_ptr<SwrContext, SwrFreer>;
using FifoPtr = std::unique_ptr<AVAudioFifo, FifoFreer>;
using DictPtr = std::unique_ptr<AVDictionary, DictFreer>;
using IoPtr = std::unique_ptr<AVIOContext, IoFreer>;

FramePtr makeFrame();
PacketPtr makePacket();

}  // namespace libav
