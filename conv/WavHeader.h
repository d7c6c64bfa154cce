#pragma once
#include <cstdint>
#include <optional>
#include <string>

// The sample data of a WAV file as its header declares it. libavformat guesses
// a WAV's length from the file size, which hides a truncated file; the header
// tells how much there should be.
struct WavDataChunk {
  int64_t offset = 0;                   // where the samples begin
  std::optional<int64_t> declaredBytes; // nullopt: left open by a streaming writer
  // A plain RIFF header over 4 GiB counts the size modulo 2^32, and an RF64
  // size past the largest a file can have means nothing: the samples then run
  // to the end of the file, and declaredBytes says so.
  bool sizeWrapped = false;
  // libavformat's raw reader for the samples ("s16le", "f32le", ...); empty
  // unless they are plain integer or float PCM.
  std::string rawDemuxer;
  int sampleRate = 0;
  int channels = 0;
};

// nullopt when the path is no regular RIFF/RF64 WAVE file with a data chunk.
std::optional<WavDataChunk> readWavDataChunk(const std::string& path);
