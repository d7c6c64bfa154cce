#pragma once
#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

// A file name on Linux is bytes, and not every name is valid UTF-8 (names
// unpacked from old archives often are not). The program carries names as
// text, so each byte that belongs to no valid UTF-8 sequence is kept as one
// lone low surrogate, U+DC80 + (byte - 0x80), which valid UTF-8 can never
// produce; everything else decodes as usual. Every place that hands a name
// to the system turns it back into its bytes here.
namespace platform {

// The text of a name as read from a directory, a drop or a command line.
QString nameFromBytes(QByteArrayView bytes);

// The exact bytes that nameFromBytes took the name from.
QByteArray bytesFromName(QStringView name);

// The name for people to read: each kept byte shows as U+FFFD.
QString readableName(QStringView name);

// True when a path from a road that decodes names with loss (Qt's file
// dialog shows undecodable bytes as U+FFFD) holds U+FFFD and names nothing:
// the road could not read the name of what was chosen. A name that truly
// holds U+FFFD names its file and is not taken for lost.
bool lostItsBytes(const QString& path);

}  // namespace platform
