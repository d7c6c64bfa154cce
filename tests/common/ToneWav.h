#pragma once
#include <QDataStream>
#include <QFile>
#include <QString>
#include <cmath>

// Writes a stereo 440 Hz tone of whole seconds as a 16-bit PCM WAV, an input
// the real transcoder takes.
inline void writeToneWav(const QString& path, int seconds) {
  constexpr int kRate = 44100, kChannels = 2;
  const quint32 dataBytes = kRate * seconds * kChannels * 2;
  QFile file(path);
  file.open(QIODevice::WriteOnly);
  QDataStream out(&file);
  out.setByteOrder(QDataStream::LittleEndian);
  out.writeRawData("RIFF", 4);
  out << quint32(36 + dataBytes);
  out.writeRawData("WAVEfmt ", 8);
  out << quint32(16) << quint16(1) << quint16(kChannels) << quint32(kRate)
      << quint32(kRate * kChannels * 2) << quint16(kChannels * 2) << quint16(16);
  out.writeRawData("data", 4);
  out << dataBytes;
  for (int i = 0; i < kRate * seconds; ++i) {
    const auto sample = static_cast<qint16>(8000 * std::sin(2 * M_PI * 440 * i / kRate));
    out << sample << sample;
  }
}
