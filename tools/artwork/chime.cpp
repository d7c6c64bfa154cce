// The finishing chime: a rising major arpeggio of soft bell tones, each a sum
// of decaying sines, written as 16-bit mono PCM at 44100 Hz.
#include "pictures.h"

#include <QFile>
#include <QtEndian>
#include <cmath>
#include <numbers>
#include <stdexcept>
#include <vector>

namespace {

constexpr int kRate = 44100;
constexpr double kSeconds = 1.1;

struct Bell {
    double start;     // seconds
    double frequency; // Hz
    double level;
};

// C6, E6, G6, C7.
constexpr Bell kBells[] = {
    {0.00, 1046.50, 0.30},
    {0.09, 1318.51, 0.27},
    {0.18, 1567.98, 0.25},
    {0.27, 2093.00, 0.22},
};

double bell(const Bell &b, double t)
{
    if (t < 0)
        return 0;
    const double attack = std::min(1.0, t / 0.004);
    const double w = 2 * std::numbers::pi * b.frequency * t;
    const double body = std::sin(w) * std::exp(-t * 4.5) + 0.35 * std::sin(2 * w) * std::exp(-t * 9.0) +
                        0.12 * std::sin(3.01 * w) * std::exp(-t * 14.0);
    return b.level * attack * body;
}

std::vector<qint16> samples()
{
    const int count = static_cast<int>(kRate * kSeconds);
    std::vector<qint16> out(count);
    for (int i = 0; i < count; ++i) {
        const double t = static_cast<double>(i) / kRate;
        double v = 0;
        for (const Bell &b : kBells)
            v += bell(b, t - b.start);
        const double fadeOut = std::min(1.0, (kSeconds - t) / 0.08);
        out[i] = static_cast<qint16>(std::lround(std::clamp(v * fadeOut, -1.0, 1.0) * 32767));
    }
    return out;
}

void put32(QByteArray &a, quint32 v)
{
    char b[4];
    qToLittleEndian(v, b);
    a.append(b, 4);
}

void put16(QByteArray &a, quint16 v)
{
    char b[2];
    qToLittleEndian(v, b);
    a.append(b, 2);
}

} // namespace

void writeChime(const QString &path)
{
    const std::vector<qint16> pcm = samples();
    const quint32 dataBytes = static_cast<quint32>(pcm.size() * sizeof(qint16));

    QByteArray wav;
    wav.append("RIFF");
    put32(wav, 36 + dataBytes);
    wav.append("WAVEfmt ");
    put32(wav, 16);
    put16(wav, 1); // PCM
    put16(wav, 1); // mono
    put32(wav, kRate);
    put32(wav, kRate * 2);
    put16(wav, 2);
    put16(wav, 16);
    wav.append("data");
    put32(wav, dataBytes);
    for (qint16 s : pcm)
        put16(wav, static_cast<quint16>(s));

    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(wav) != wav.size())
        throw std::runtime_error("cannot write " + path.toStdString());
}
