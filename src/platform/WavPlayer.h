#pragma once
#include <QString>

namespace platform {

// Plays a PCM WAV file on the default sound device and returns when it has
// been played; false when the file is missing, not a PCM WAV or no device
// takes it.
bool playWavBlocking(const QString& path);

}  // namespace platform
