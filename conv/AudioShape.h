#pragma once
#include <string>
#include <vector>

extern "C" {
#include <libavutil/samplefmt.h>
}

// The sample rate, channel count and sample format of a stretch of audio.
struct AudioShape {
  int sampleRate = 0;
  int channels = 0;
  AVSampleFormat sampleFormat = AV_SAMPLE_FMT_NONE;
};

// What an encoder takes. An empty list allows any value up to the limit
// (0: no limit).
struct EncoderLimits {
  std::vector<int> sampleRates;
  int maxSampleRate = 0;
  std::vector<int> channelCounts;
  int maxChannels = 0;
  std::vector<AVSampleFormat> sampleFormats;
};

struct ChosenShape {
  AudioShape shape;
  std::vector<std::string> notes;  // one line for each wish the encoder could not meet
};

// The shape closest to the wanted one that the encoder takes: the nearest
// rate, the most channels not above the wanted count (else the fewest), and
// the wanted sample format or, failing that, its planar/packed twin or the
// encoder's first.
ChosenShape chooseShape(const AudioShape& wanted, const EncoderLimits& limits,
                        const std::string& encoderName);
