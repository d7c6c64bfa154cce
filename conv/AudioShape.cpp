#include "AudioShape.h"

#include <algorithm>
#include <cstdlib>

namespace {

int nearestRate(int wanted, const EncoderLimits& limits) {
  if (limits.sampleRates.empty())
    return limits.maxSampleRate > 0 ? std::min(wanted, limits.maxSampleRate) : wanted;
  int best = limits.sampleRates.front();
  for (int rate : limits.sampleRates) {
    int distance = std::abs(rate - wanted), bestDistance = std::abs(best - wanted);
    if (distance < bestDistance || (distance == bestDistance && rate > best)) best = rate;
  }
  return best;
}

int fittingChannels(int wanted, const EncoderLimits& limits) {
  if (limits.channelCounts.empty())
    return limits.maxChannels > 0 ? std::min(wanted, limits.maxChannels) : wanted;
  int below = 0;
  for (int count : limits.channelCounts)
    if (count <= wanted) below = std::max(below, count);
  return below > 0 ? below
                   : *std::min_element(limits.channelCounts.begin(), limits.channelCounts.end());
}

AVSampleFormat takenFormat(AVSampleFormat wanted, const std::vector<AVSampleFormat>& formats) {
  if (formats.empty()) return wanted;
  auto has = [&](AVSampleFormat f) {
    return std::find(formats.begin(), formats.end(), f) != formats.end();
  };
  if (has(wanted)) return wanted;
  if (AVSampleFormat twin = av_get_planar_sample_fmt(wanted); has(twin)) return twin;
  if (AVSampleFormat twin = av_get_packed_sample_fmt(wanted); has(twin)) return twin;
  return formats.front();
}

}  // namespace

ChosenShape chooseShape(const AudioShape& wanted, const EncoderLimits& limits,
                        const std::string& encoderName) {
  ChosenShape chosen;
  chosen.shape.sampleRate = nearestRate(wanted.sampleRate, limits);
  chosen.shape.channels = fittingChannels(wanted.channels, limits);
  chosen.shape.sampleFormat = takenFormat(wanted.sampleFormat, limits.sampleFormats);
  if (chosen.shape.sampleRate != wanted.sampleRate)
    chosen.notes.push_back(encoderName + " cannot encode " + std::to_string(wanted.sampleRate) +
                           " Hz; encoding at the nearest rate it takes, " +
                           std::to_string(chosen.shape.sampleRate) + " Hz");
  if (chosen.shape.channels != wanted.channels)
    chosen.notes.push_back(encoderName + " cannot encode " + std::to_string(wanted.channels) +
                           " channels; encoding " + std::to_string(chosen.shape.channels));
  return chosen;
}
