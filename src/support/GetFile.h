#pragma once
#include <QString>

// Cutting a file name out of a full path; "/" separates folders.

// The characters after the last "/"; the whole path when it holds none.
QString GetFileName(const QString& path);

// GetFileName of the path up to its first ".": "a.b.mp4" gives "a".
QString GetFileNameNoExt(const QString& path);
