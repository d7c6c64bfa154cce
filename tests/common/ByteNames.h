#pragma once
#include "platform/NameBytes.h"

#include <QString>
#include <QTemporaryDir>
#include <filesystem>
#include <fstream>
#include <iterator>

// Names that are not valid UTF-8 are out of reach of Qt's file classes, so
// tests make and look them up by their bytes.

inline QByteArray rawPath(const QString& path) { return platform::bytesFromName(path); }

inline void writeRaw(const QString& path, const QByteArray& bytes = {}) {
  std::ofstream(rawPath(path).toStdString(), std::ios::binary) << bytes.toStdString();
}

inline void touchRaw(const QString& path) { writeRaw(path); }

inline QByteArray readRaw(const QString& path) {
  std::ifstream in(rawPath(path).toStdString(), std::ios::binary);
  return QByteArray::fromStdString({std::istreambuf_iterator<char>(in), {}});
}

// A temporary folder that may hold such names: Qt's own removal cannot name them.
class ByteNamedFolder : public QTemporaryDir {
 public:
  ~ByteNamedFolder() { std::filesystem::remove_all(rawPath(path()).toStdString()); }
};
