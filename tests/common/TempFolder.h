#pragma once
#include "platform/ProgramFolder.h"

#include <QDir>
#include <QTemporaryDir>

// A temporary folder that serves as the program folder while it lives.
class TempProgramFolder {
 public:
  TempProgramFolder() { platform::setProgramFolder(dir_.path()); }
  ~TempProgramFolder() { platform::setProgramFolder(QString()); }
  QString path() const { return dir_.path(); }
  QString file(const QString& name) const { return dir_.filePath(name); }

 private:
  QTemporaryDir dir_;
};
