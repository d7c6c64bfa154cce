#pragma once
#include <QString>
#include <QStringList>
#include <cstdint>

// The transcoder's command line for one input file.
struct ConversionRequest {
  QString programFolder;
  QString input;          // full path of the queued file
  QString outputFolder;   // as the user set it, with or without a trailing "/"
  int formatIndex = -1;   // index into kOutputFormats
  QString bitrateText;    // MP3 only, kbit/s as shown in the list
  QString rateText;       // MP3 only, Hz as shown in the list
  int channelIndex = -1;  // MP3 only: 0 Mono, 1 Stereo
  bool cutEnabled = false;
  int32_t cutStart = 0;
  int32_t cutLength = 0;
};

// The formats in the order of the format list.
inline const QStringList kOutputFormats = {
    QStringLiteral("MP3"), QStringLiteral("WMA"), QStringLiteral("OGG"), QStringLiteral("WAV"),
    QStringLiteral("FLAC"), QStringLiteral("AC3"), QStringLiteral("AAC"), QStringLiteral("AMR")};

// The folder with exactly one trailing "/" (an empty text gives "/").
QString outputFolderWithSeparator(const QString& folder);

// Where the transcoder writes: the folder, the input's base name and the
// format's extension; empty when the format index names no format.
QString outputPath(const ConversionRequest& request);

// The whole command line; empty when the format index names no format.
QString buildCommandLine(const ConversionRequest& request);
