#pragma once
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>

// Writes an executable shell script.
inline void writeScript(const QString& path, const QString& body) {
  QDir().mkpath(QFileInfo(path).path());
  QFile file(path);
  file.open(QIODevice::WriteOnly | QIODevice::Truncate);
  file.write("#!/bin/sh\n");
  file.write(body.toUtf8());
  file.close();
  file.setPermissions(file.permissions() | QFileDevice::ExeOwner | QFileDevice::ExeGroup |
                      QFileDevice::ExeOther);
}
