#pragma once
#include <QString>

// The folder the output folder box stands for: an empty box is the default
// folder; "~" and "~/..." lie in the user's home folder and "~name/..." in
// that user's, as in a shell or a file dialog (an unknown name is a plain
// name); a relative one lies in the working folder (so the transcoder never
// takes it for an option and the folder can be opened at the end).
QString outputFolderFromBox(const QString& boxText);
