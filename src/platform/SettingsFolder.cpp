#include "platform/SettingsFolder.h"

#include "platform/ProgramFolder.h"

#include <fcntl.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QStandardPaths>

namespace platform {

bool canWriteProgramFolder() {
  // The effective user decides, as for the files the program goes on to make.
  return ::faccessat(AT_FDCWD, QFile::encodeName(programFolder()).constData(), W_OK | X_OK,
                     AT_EACCESS) == 0;
}

QString settingsFolder() {
  if (canWriteProgramFolder()) return programFolder();
  const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
  QDir().mkpath(folder);
  return folder;
}

QString settingsPath(const QString& name) { return settingsFolder() + u'/' + name; }

}  // namespace platform
