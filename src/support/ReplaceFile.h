#pragma once
#include <QByteArray>
#include <QString>

// Replaces a settings file as a whole: the new content is written beside it
// and takes its place only once complete, so a write that fails leaves the
// former file whole. A file marked read-only (no write permission for
// anyone, or none for us) is left alone, as the settings files promise.
// Returns whether the new content is in place.
bool replaceFileContents(const QString& path, const QByteArray& bytes);
