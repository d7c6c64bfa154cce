#include "platform/WavFile.h"

#include <QFile>
#include <QtEndian>

namespace platform {
namespace {
quint32 le32(const char* p) { return qFromLittleEndian<quint32>(p); }
quint16 le16(const char* p) { return qFromLittleEndian<quint16>(p); }
}  // namespace

std::optional<WavData> readPcmWav(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
  const QByteArray bytes = file.readAll();
  if (bytes.size() < 12 || !bytes.startsWith("RIFF") || bytes.mid(8, 4) != "WAVE")
    return std::nullopt;

  WavData wav;
  bool haveFormat = false;
  qsizetype pos = 12;
  while (pos + 8 <= bytes.size()) {
    const QByteArray id = bytes.mid(pos, 4);
    const qint64 size = le32(bytes.constData() + pos + 4);
    const qsizetype body = pos + 8;
    const qint64 available = std::min<qint64>(size, bytes.size() - body);
    if (id == "fmt " && available >= 16) {
      const char* f = bytes.constData() + body;
      const quint16 format = le16(f);
      // 1 is integer PCM; 0xFFFE (extensible) carries PCM too in practice.
      if (format != 1 && format != 0xFFFE) return std::nullopt;
      wav.channels = le16(f + 2);
      wav.sampleRate = static_cast<int>(le32(f + 4));
      wav.bitsPerSample = le16(f + 14);
      haveFormat = true;
    } else if (id == "data" && haveFormat) {
      wav.samples = bytes.mid(body, available);
      break;
    }
    pos = body + size + (size & 1);
  }
  const bool usable = haveFormat && wav.channels > 0 && wav.sampleRate > 0 &&
                      (wav.bitsPerSample == 8 || wav.bitsPerSample == 16 ||
                       wav.bitsPerSample == 24 || wav.bitsPerSample == 32) &&
                      !wav.samples.isEmpty();
  if (!usable) return std::nullopt;
  return wav;
}

}  // namespace platform
