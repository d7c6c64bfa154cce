#include "platform/WavFile.h"
#include "platform/WavPlayer.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>
#include <gtest/gtest.h>

namespace {

QByteArray le16(quint16 v) {
  QByteArray b(2, '\0');
  qToLittleEndian(v, b.data());
  return b;
}
QByteArray le32(quint32 v) {
  QByteArray b(4, '\0');
  qToLittleEndian(v, b.data());
  return b;
}

// A RIFF file with a format chunk of the given tag and bits and `data` bytes.
QByteArray wav(quint16 formatTag, quint16 bits, const QByteArray& data, quint32 declared) {
  QByteArray fmt = le16(formatTag) + le16(2) + le32(8000) + le32(8000 * 2 * bits / 8) +
                   le16(2 * bits / 8) + le16(bits);
  QByteArray body = "WAVE" + QByteArray("fmt ") + le32(fmt.size()) + fmt + "LIST" + le32(3) +
                    "abc" + QByteArray(1, '\0') + "data" + le32(declared) + data;
  return "RIFF" + le32(body.size()) + body;
}

QString save(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes) {
  QFile f(dir.filePath(name));
  f.open(QIODevice::WriteOnly);
  f.write(bytes);
  return f.fileName();
}

}  // namespace

TEST(WavFile, ReadsPcmAndRefusesWhatCannotBePlayed) {
  QTemporaryDir dir;
  const QByteArray samples(400, '\x10');
  const auto ok = platform::readPcmWav(save(dir, "ok.wav", wav(1, 16, samples, 400)));
  ASSERT_TRUE(ok.has_value());  // an odd-sized chunk before the data is skipped with its pad byte
  EXPECT_EQ(ok->channels, 2);
  EXPECT_EQ(ok->sampleRate, 8000);
  EXPECT_EQ(ok->bitsPerSample, 16);
  EXPECT_EQ(ok->samples, samples);

  // A data chunk declaring more than the file holds gives what is there.
  const auto cut = platform::readPcmWav(save(dir, "cut.wav", wav(1, 16, samples, 100000)));
  ASSERT_TRUE(cut.has_value());
  EXPECT_EQ(cut->samples.size(), 400);

  EXPECT_FALSE(platform::readPcmWav(save(dir, "float.wav", wav(3, 32, samples, 400))));
  EXPECT_FALSE(platform::readPcmWav(save(dir, "bits.wav", wav(1, 12, samples, 400))));
  EXPECT_FALSE(platform::readPcmWav(save(dir, "empty.wav", wav(1, 16, {}, 0))));
  EXPECT_FALSE(platform::readPcmWav(save(dir, "junk.wav", "RIFF....WAVEjunk")));
  EXPECT_FALSE(platform::readPcmWav(dir.filePath("missing.wav")));
  EXPECT_FALSE(platform::playWavBlocking(dir.filePath("missing.wav")));
}
