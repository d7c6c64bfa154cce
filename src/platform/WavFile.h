#pragma once
#include <QByteArray>
#include <QString>
#include <optional>

namespace platform {

// The samples of a PCM WAV file and how to play them.
struct WavData {
  int channels = 0;
  int sampleRate = 0;
  int bitsPerSample = 0;
  QByteArray samples;
};

// nullopt when the file is missing, not RIFF/WAVE or not integer PCM of 8, 16,
// 24 or 32 bits.
std::optional<WavData> readPcmWav(const QString& path);

}  // namespace platform
