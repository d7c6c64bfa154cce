#pragma once
#include <QList>
#include <QPair>
#include <QString>

// Shared by the common-dialog wrappers.
namespace dialogs {

// "A|a|B|b" gives (A, a), (B, b). The list ends at the first empty piece and
// drops a description left without its pattern.
QList<QPair<QString, QString>> filterPairs(const QString& filter);

// As filterPairs, but an empty or blank filter offers every file ("*.*").
QList<QPair<QString, QString>> filterPairsOrAllFiles(const QString& filter);

// Where a file dialog starts for a requested folder: the folder with a "/"
// appended when it can be listed; otherwise, or when the request is empty or
// blank, the program folder as it is.
QString startFolder(const QString& requested);

// A file path's folder without its trailing "/"; "/" for a file in the root,
// "" for a bare name.
QString folderOf(const QString& filePath);

// The text up to, not including, its first NUL; the whole text without one.
QString beforeNul(const QString& text);

}  // namespace dialogs
