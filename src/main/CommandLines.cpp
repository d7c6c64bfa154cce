#include "main/CommandLines.h"

#include "platform/CommandLineSplit.h"
#include "support/GetFile.h"
#include "support/NumberRules.h"

namespace {

struct FormatRow {
  const char* extension;
  const char* wholeFileOptions;
  const char* cutOptions;
  bool copiesTags;  // the output part starts with the tag-copy pair
};

// The MP3 row's options depend on the quality lists and are built apart.
constexpr FormatRow kRows[] = {
    {".mp3", nullptr, nullptr, true},
    {".wma", " -y -vn -acodec wmav1 -map_meta_data ", " -y -vn -acodec wmav1  -map_meta_data ", true},
    {".ogg", " -y -vn -ac 2 -map_meta_data ", " -y -vn -ac 2  -map_meta_data ", true},
    {".wav", " -y -vn -acodec pcm_s16le ", " -y -vn -acodec pcm_s16le ", false},
    {".flac", " -y -vn ", " -y -vn ", false},
    {".ac3", " -y -vn ", " -y -vn ", false},
    {".aac", " -y -vn ", " -y -vn ", false},
    {".amr", " -y -vn -ar 8000 -ab 7.4k -ac 1 ", " -y -vn -ar 8000 -ab 7.4k -ac 1 ", false},
};

// A path between double quotes that the transcoder receives unchanged.
QString quoted(const QString& path) {
  return u'"' + platform::escapeForQuotes(path) + u'"';
}

QString mp3Options(const ConversionRequest& r) {
  return QStringLiteral(" -y -vn -ab ") + r.bitrateText + QStringLiteral("k -ar ") + r.rateText +
         QStringLiteral(" -ac ") + numbers::integerText(r.channelIndex + 1) +
         QStringLiteral(" -map_meta_data ");
}

bool namesFormat(const ConversionRequest& r) {
  return r.formatIndex >= 0 && r.formatIndex < static_cast<int>(std::size(kRows));
}

}  // namespace

QString outputFolderWithSeparator(const QString& folder) {
  return folder.endsWith(u'/') ? folder : folder + u'/';
}

QString outputPath(const ConversionRequest& r) {
  if (!namesFormat(r)) return QString();
  return outputFolderWithSeparator(r.outputFolder) + GetFileNameNoExt(r.input) +
         QString::fromLatin1(kRows[r.formatIndex].extension);
}

QString buildCommandLine(const ConversionRequest& r) {
  if (!namesFormat(r)) return QString();
  const FormatRow& row = kRows[r.formatIndex];

  // Quoted like every other path: a program folder with a blank must not
  // start whatever executable its first word names.
  QString line = quoted(r.programFolder + QStringLiteral("/data/conv")) + QStringLiteral(" -i ") +
                 quoted(r.input);
  if (r.cutEnabled)
    line += QStringLiteral(" -ss ") + numbers::integerText(r.cutStart) + QStringLiteral(" -t ") +
            numbers::integerText(r.cutLength);
  if (r.formatIndex == 0)
    line += mp3Options(r);
  else
    line += QString::fromLatin1(r.cutEnabled ? row.cutOptions : row.wholeFileOptions);

  const QString output = quoted(outputPath(r));
  if (row.copiesTags) line += quoted(r.input) + u':' + output + u' ';
  line += output;
  return line;
}
