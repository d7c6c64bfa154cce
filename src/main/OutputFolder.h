#pragma once
#include <QString>
#include <optional>

// The folder the output folder box stands for: an empty box is the default
// folder; "~" and "~/..." lie in the user's home folder and "~name/..." in
// that user's, as in a shell or a file dialog (an unknown name is a plain
// name); a relative one lies in the working folder (so the transcoder never
// takes it for an option and the folder can be opened at the end).
QString outputFolderFromBox(const QString& boxText);

// Makes the output folder before a run: its last level only, but the
// default folder with the folders above it (a user's music folder may not
// be there yet). Nothing when the folder is there afterwards; else why not,
// naming the folder and the system's reason.
std::optional<QString> makeOutputFolder(const QString& folder);
