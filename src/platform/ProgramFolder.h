#pragma once
#include <QString>

namespace platform {

// The folder that holds the running program; tests point it elsewhere.
QString programFolder();
void setProgramFolder(const QString& folder);

// The program folder joined with a name by "/" ("sound.wav", "data/conv").
QString programPath(const QString& name);

// A file counts as present when its exact path names a regular file.
bool isFilePresent(const QString& path);

}  // namespace platform
