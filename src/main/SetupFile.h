#pragma once
#include <QString>
#include <cstdint>
#include <optional>

// setup.ini in the settings folder carries the main window's conversion
// settings between runs: five lines, each one value between double quotes
// followed by CR LF: the bitrate, sample-rate and channel list indexes, the
// output folder, and the format list index. A quote inside a value is
// written twice.

// The settings' defaults, which stand for whatever setup.ini does not give.
namespace setup_defaults {
constexpr int16_t bitrateIndex = 8;  // "192"
constexpr int16_t rateIndex = 1;     // "44100"
constexpr int16_t channelIndex = 1;  // "Stereo"
constexpr int16_t formatIndex = 1;   // "WMA"
// The program folder's "output"; where the program folder cannot be
// written, "Dabrelin" in the user's music folder.
QString outputFolder();
}  // namespace setup_defaults

// What a setup.ini yields. An index is absent when its field is missing, does
// not begin with a number or does not fit 16 bits; whether it names an item
// of its list is decided by startingSettings. The folder is absent when its
// field is missing or holds a NUL.
struct SetupFields {
  std::optional<int16_t> bitrateIndex, rateIndex, channelIndex;
  std::optional<QString> outputFolder;
  std::optional<int16_t> formatIndex;
};

// Reads the first five fields; an unreadable file yields none.
SetupFields readSetupFile(const QString& path);

struct SetupValues {
  int bitrateIndex, rateIndex, channelIndex;  // -1: no item selected
  QString outputFolder;
  int formatIndex;
};

// How many items each of the four lists holds.
struct SetupListSizes {
  int bitrate, rate, channel, format;
};

// The settings the window starts with: each field that names an item of its
// list, or a folder, and the default for every other. An index of -1 would
// leave its list blank and every conversion without a command line, so it
// counts as off the list; an empty folder field means the default folder.
SetupValues startingSettings(const SetupFields& fields, const SetupListSizes& sizes);

// The file's exact bytes for the given settings.
QByteArray setupFileText(const SetupValues& values);

// Replaces the file as a whole; a failed write leaves the former one.
bool writeSetupFile(const QString& path, const SetupValues& values);
