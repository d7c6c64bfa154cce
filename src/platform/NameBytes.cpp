#include "platform/NameBytes.h"

#include <sys/stat.h>

namespace platform {
namespace {

constexpr char16_t kFirstKeptByte = 0xDC80;
constexpr char16_t kLastKeptByte = 0xDCFF;

// The length of the valid UTF-8 sequence that starts at `at`; 0 when the
// byte there starts none (a stray continuation byte, a cut-off, overlong or
// surrogate sequence, a code point past U+10FFFF).
qsizetype validSequenceAt(QByteArrayView bytes, qsizetype at) {
  const auto lead = static_cast<unsigned char>(bytes[at]);
  if (lead < 0x80) return 1;
  qsizetype length;
  char32_t codePoint, smallest;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2, codePoint = lead & 0x1F, smallest = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3, codePoint = lead & 0x0F, smallest = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4, codePoint = lead & 0x07, smallest = 0x10000;
  } else {
    return 0;
  }
  if (at + length > bytes.size()) return 0;
  for (qsizetype i = 1; i < length; ++i) {
    const auto next = static_cast<unsigned char>(bytes[at + i]);
    if ((next & 0xC0) != 0x80) return 0;
    codePoint = (codePoint << 6) | (next & 0x3F);
  }
  const bool surrogate = codePoint >= 0xD800 && codePoint <= 0xDFFF;
  if (codePoint < smallest || codePoint > 0x10FFFF || surrogate) return 0;
  return length;
}

// A kept byte is a low surrogate without its high half: one right after a
// high surrogate is the second half of an ordinary character.
bool isKeptByte(QStringView name, qsizetype at) {
  const char16_t unit = name[at].unicode();
  return unit >= kFirstKeptByte && unit <= kLastKeptByte &&
         !(at > 0 && name[at - 1].isHighSurrogate());
}

}  // namespace

QString nameFromBytes(QByteArrayView bytes) {
  QString name;
  name.reserve(bytes.size());
  qsizetype runStart = 0, at = 0;
  while (at < bytes.size()) {
    const qsizetype length = validSequenceAt(bytes, at);
    if (length > 0) {
      at += length;
      continue;
    }
    name += QString::fromUtf8(bytes.sliced(runStart, at - runStart));
    name += QChar(kFirstKeptByte + (static_cast<unsigned char>(bytes[at]) - 0x80));
    runStart = ++at;
  }
  name += QString::fromUtf8(bytes.sliced(runStart));
  return name;
}

QByteArray bytesFromName(QStringView name) {
  QByteArray bytes;
  bytes.reserve(name.size());
  qsizetype runStart = 0;
  for (qsizetype at = 0; at < name.size(); ++at) {
    if (!isKeptByte(name, at)) continue;
    bytes += name.sliced(runStart, at - runStart).toUtf8();
    bytes += static_cast<char>(name[at].unicode() - kFirstKeptByte + 0x80);
    runStart = at + 1;
  }
  bytes += name.sliced(runStart).toUtf8();
  return bytes;
}

QString readableName(QStringView name) {
  QString readable = name.toString();
  for (qsizetype at = 0; at < name.size(); ++at)
    if (isKeptByte(name, at)) readable[at] = QChar::ReplacementCharacter;
  return readable;
}

bool lostItsBytes(const QString& path) {
  struct stat info {};
  return path.contains(QChar::ReplacementCharacter) &&
         ::lstat(bytesFromName(path).constData(), &info) != 0;
}

}  // namespace platform
