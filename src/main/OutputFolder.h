#pragma once
#include <QString>

// The folder the output folder box stands for: an empty box is the default
// folder, a relative one lies in the working folder (so the transcoder never
// takes it for an option and the folder can be opened at the end).
QString outputFolderFromBox(const QString& boxText);
