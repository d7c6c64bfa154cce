#pragma once
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <unistd.h>

// Writes an executable shell script; its process name is the file's name.
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

// A process name no other test uses at the same time (at most 15 characters,
// the length the kernel keeps).
inline QString uniqueProcessName(const char* tag) {
  static int counter = 0;
  return QStringLiteral("%1%2_%3").arg(QString::fromLatin1(tag).left(4)).arg(getpid()).arg(++counter).left(15);
}
