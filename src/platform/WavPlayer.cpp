#include "platform/WavPlayer.h"

#include "platform/WavFile.h"

#include <alsa/asoundlib.h>

namespace platform {
namespace {

snd_pcm_format_t alsaFormat(int bits) {
  switch (bits) {
    case 8: return SND_PCM_FORMAT_U8;
    case 16: return SND_PCM_FORMAT_S16_LE;
    case 24: return SND_PCM_FORMAT_S24_3LE;
    default: return SND_PCM_FORMAT_S32_LE;
  }
}

// Keeps ALSA's complaints about a machine without sound off the console.
void silentErrors(const char*, int, const char*, int, const char*, ...) {}

}  // namespace

bool playWavBlocking(const QString& path) {
  const auto wav = readPcmWav(path);
  if (!wav) return false;
  snd_lib_error_set_handler(silentErrors);
  snd_pcm_t* pcm = nullptr;
  if (snd_pcm_open(&pcm, "default", SND_PCM_STREAM_PLAYBACK, 0) < 0) return false;
  bool ok = snd_pcm_set_params(pcm, alsaFormat(wav->bitsPerSample),
                               SND_PCM_ACCESS_RW_INTERLEAVED, static_cast<unsigned>(wav->channels),
                               static_cast<unsigned>(wav->sampleRate), 1, 200000) == 0;
  const qsizetype frameBytes = wav->channels * wav->bitsPerSample / 8;
  const char* data = wav->samples.constData();
  snd_pcm_uframes_t framesLeft = static_cast<snd_pcm_uframes_t>(wav->samples.size() / frameBytes);
  while (ok && framesLeft > 0) {
    snd_pcm_sframes_t written = snd_pcm_writei(pcm, data, framesLeft);
    if (written < 0) written = snd_pcm_recover(pcm, static_cast<int>(written), 1);
    if (written < 0) {
      ok = false;
      break;
    }
    data += written * frameBytes;
    framesLeft -= static_cast<snd_pcm_uframes_t>(written);
  }
  if (ok) snd_pcm_drain(pcm);
  snd_pcm_close(pcm);
  return ok;
}

}  // namespace platform
