#pragma once
#include <cstdint>
#include <map>
#include <string>

// Media files the tests write themselves through libav.
struct MediaRecipe {
  std::string muxer = "wav";
  std::string audioCodec = "pcm_s16le";  // empty: no audio stream
  bool withVideo = false;
  int sampleRate = 44100;
  int channels = 2;
  double seconds = 3;
  std::map<std::string, std::string> tags = {};
  std::map<std::string, std::string> streamTags = {};  // the audio stream's own
  double videoSeconds = 0;  // 0: as long as the audio
  double audioStart = 0;    // the audio's first timestamp, in seconds
  double gapAt = 0;         // above 0: the audio's timestamps jump a second from then on
  double subtitleEnd = 0;   // above 0: a subtitle track whose one cue ends then
  std::string videoCodec = "mpeg4";
  std::map<std::string, std::string> audioOptions = {};  // for the audio encoder
};
void writeMedia(const std::string& path, const MediaRecipe& recipe);

// Gives the audio stream of an AVI file's bytes a start offset in its header.
void setAviAudioStart(std::string& bytes, double seconds);

// For headers a test writes or patches by hand: the value's bytes, least
// significant first, and the "fmt " chunk of a WAV of 16-bit stereo PCM.
std::string littleEndianBytes(uint64_t value, int count);
std::string pcmFormatChunk(uint32_t sampleRate);

// What an output holds, found by decoding it back.
struct MediaFacts {
  std::string codec;
  int sampleRate = 0;
  int channels = 0;
  double decodedSeconds = 0;
  int firstSample = 0;  // the first sample of the first channel, for s16 audio
  std::map<std::string, std::string> tags;
};
MediaFacts probeMedia(const std::string& path);

// A media file's name as a parameterised test's name: "tone.m4a" gives "tone_m4a".
std::string asTestName(std::string fileName);
