#pragma once
#include <QString>

// Texts of the queue and of the hint that lies over it when it is empty.

// The hint's captions; "&&" stands for one shown ampersand.
inline const QString kDropHint = QStringLiteral("Drag && Drop Files Here");
inline const QString kSearchingHint = QStringLiteral("Searching Files...");

// The "Format" column: the last three characters upper-cased ("clip.mp4"
// gives "MP4", "song.rm" gives ".RM"); the whole text when it is shorter.
QString FormatTag(const QString& path);

// FormatTag after the path's leading and trailing blanks are removed, the
// form the open-file dialog and the folder roads show.
QString TrimmedFormatTag(const QString& path);

// The path up to and including its last "/"; empty when it holds none.
QString GetFolderFromPath(const QString& path);

// Why a file chosen in the open dialog is refused when the dialog could not
// carry its name's bytes (see platform::lostItsBytes).
QString unreadableNameMessage(const QString& path);
