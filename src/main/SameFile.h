#pragma once
#include <QString>
#include <QStringList>

// True when `path` names the same file as one of `paths`: the same path once
// both are cleaned, or the same device and inode, so that neither a link nor
// another spelling of a folder hides it.
bool namesAnyOf(const QString& path, const QStringList& paths);
