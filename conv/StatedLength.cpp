#include "StatedLength.h"

#include <cmath>

extern "C" {
#include <libavutil/parseutils.h>
}

#include "AsfHeader.h"
#include "AviHeader.h"
#include "CafHeader.h"
#include "OggLinks.h"

namespace {

using Source = StatedLength::Source;
using Trust = StatedLength::Trust;

std::optional<StatedLength> credible(StatedLength length) {
  const double seconds = length.end - length.start;
  if (std::isfinite(seconds) && seconds > 0 && length.end < kLongestCredibleSeconds) return length;
  return std::nullopt;
}

// Whether the audio is the file's one track with a time of its own: only then
// is a length the file states for itself the audio's length. Any other track
// (video, subtitles, data) may run on after it; pictures of the cover and
// attached files (fonts) have no time.
bool isOnlyTrack(const AVFormatContext& file, const AVStream& audio) {
  for (unsigned i = 0; i < file.nb_streams; ++i) {
    const AVStream& other = *file.streams[i];
    if (&other == &audio || other.disposition & AV_DISPOSITION_ATTACHED_PIC ||
        other.codecpar->codec_type == AVMEDIA_TYPE_ATTACHMENT)
      continue;
    return false;
  }
  return true;
}

// The audio a WAV's data holds, by its codec's blocks: those of ADPCM and
// the like carry headers, so bytes do not map 1:1 to samples. Codecs whose
// frames are not a count of blocks (MP3 in WAV) are left to libavformat.
std::optional<StatedLength> wavLength(const WavDataChunk& wav, const AVCodecParameters& audio) {
  // The function only reads the parameters, though it does not say so.
  AVCodecParameters& parameters = const_cast<AVCodecParameters&>(audio);
  const int block = audio.block_align;
  const int perBlock = block > 0 ? av_get_audio_frame_duration2(&parameters, block) : 0;
  if (perBlock <= 0 || audio.sample_rate <= 0 ||
      av_get_audio_frame_duration2(&parameters, 2 * block) != 2 * perBlock)
    return std::nullopt;
  auto seconds = [&](int64_t bytes) { return double(bytes / block) * perBlock / audio.sample_rate; };
  if (wav.declaredBytes) return credible({0, seconds(*wav.declaredBytes), Source::WavHeader, Trust::Counted});
  return credible({0, seconds(wav.presentBytes), Source::WavHeader, Trust::Measured});
}

std::optional<StatedLength> aviLength(const std::string& path, const AVStream& audio) {
  const std::optional<AviAudioHeader> header = aviAudioHeader(path, audio.index);
  if (!header) return std::nullopt;
  return credible({header->start, header->start + header->length, Source::AviHeader, Trust::Counted});
}

std::optional<StatedLength> asfLength(const std::string& path, bool onlyTrack) {
  const std::optional<double> seconds = asfStatedSeconds(path);
  if (!seconds) return std::nullopt;
  // ASF states only the file's length, in its header and on every track.
  return credible({0, *seconds, Source::AsfHeader, onlyTrack ? Trust::Counted : Trust::Measured});
}

std::optional<StatedLength> cafLength(const std::string& path) {
  const std::optional<double> seconds = cafStatedSeconds(path);
  if (!seconds) return std::nullopt;
  return credible({0, *seconds, Source::CafHeader, Trust::Counted});
}

std::optional<StatedLength> libavLength(const AVFormatContext& file, const AVStream& audio,
                                        bool onlyTrack) {
  const double origin = file.start_time == AV_NOPTS_VALUE ? 0 : file.start_time / 1e6;
  const double start =
      audio.start_time == AV_NOPTS_VALUE ? 0 : audio.start_time * av_q2d(audio.time_base) - origin;
  // A length measured from timestamps or guessed from the bit rate tells
  // nothing about audio missing.
  const bool stated = file.duration_estimation_method == AVFMT_DURATION_FROM_STREAM;
  if (stated && audio.duration != AV_NOPTS_VALUE && audio.duration > 0)
    return credible({start, start + audio.duration * av_q2d(audio.time_base), Source::Stream, Trust::Counted});
  // Matroska and WebM state the length of the whole file, and muxers add
  // where each track ends as a tag (taken as the end, the smaller reading).
  int64_t trackEnd = 0;
  const AVDictionaryEntry* tag = av_dict_get(audio.metadata, "DURATION", nullptr, 0);
  if (stated && tag && av_parse_time(&trackEnd, tag->value, 1) == 0 && trackEnd > 0)
    return credible({start, trackEnd / 1e6 - origin, Source::TrackTag, Trust::Counted});
  // The whole file's length (Matroska, FLV) is the audio's only when nothing
  // runs beside it.
  if (file.duration == AV_NOPTS_VALUE || file.duration <= 0) return std::nullopt;
  return credible({stated ? start : 0, file.duration / 1e6, Source::WholeFile,
                   stated && onlyTrack ? Trust::Counted : Trust::Measured});
}

}  // namespace

std::optional<StatedLength> statedLength(const std::string& path, const AVFormatContext& file,
                                         const AVStream& audio, const std::optional<WavDataChunk>& wav) {
  const std::string_view container = file.iformat->name;
  const bool onlyTrack = isOnlyTrack(file, audio);
  std::optional<StatedLength> fromHeader;
  if (wav) fromHeader = wavLength(*wav, *audio.codecpar);
  else if (container == "avi") fromHeader = aviLength(path, audio);
  else if (container == "asf") fromHeader = asfLength(path, onlyTrack);
  else if (container == "caf") fromHeader = cafLength(path);
  if (fromHeader) return fromHeader;
  std::optional<StatedLength> length = libavLength(file, audio, onlyTrack);
  if (length && container == "ogg" && oggEndsInAnotherLink(path)) length->trust = Trust::Measured;
  return length;
}
