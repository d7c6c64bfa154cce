#pragma once
#include <cstdint>
#include <optional>
#include <string>

// The sample data of a WAV, RF64 or W64 file as its header declares it.
// libavformat guesses a WAV's length from the file size, which hides a
// truncated file; the header tells how much there should be.
struct WavDataChunk {
  int64_t offset = 0;        // where the samples begin
  int64_t presentBytes = 0;  // from there to the end of the file
  // nullopt when the header says nothing true about it, and the samples then
  // run to the end of the file: a writer that could not seek back left a
  // size open, or a plain RIFF header over 4 GiB counts it modulo 2^32, or an
  // RF64 size is past the largest a file can have.
  std::optional<int64_t> declaredBytes;
  bool sizeWrapped = false;  // the last two: libavformat's WAV reader would stop early
  // libavformat's raw reader for the samples ("s16le", "f32le", ...); empty
  // unless they are plain integer or float PCM.
  std::string rawDemuxer;
  int sampleRate = 0;
  int channels = 0;
};

// nullopt when the path is no regular RIFF/RF64 WAVE or W64 file with a data
// chunk.
std::optional<WavDataChunk> readWavDataChunk(const std::string& path);
