#pragma once
#include "platform/NameBytes.h"

#include <QString>
#include <QTemporaryDir>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

// Names that are not valid UTF-8 are out of reach of Qt's file classes, so
// tests make and look them up by their bytes.

inline QByteArray rawPath(const QString& path) { return platform::bytesFromName(path); }

inline void touchRaw(const QString& path) { ::close(::creat(rawPath(path).constData(), 0644)); }

inline bool isRegularRaw(const QString& path) {
  struct stat info {};
  return ::stat(rawPath(path).constData(), &info) == 0 && S_ISREG(info.st_mode);
}

// A temporary folder that may hold such names: Qt's own removal cannot name them.
class ByteNamedFolder : public QTemporaryDir {
 public:
  ~ByteNamedFolder() { std::filesystem::remove_all(rawPath(path()).toStdString()); }
};
