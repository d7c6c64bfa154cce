#pragma once
#include <QList>
#include <QPair>
#include <QString>

class QFileDialog;

namespace platform {

// Offers (description, pattern) pairs in a file dialog, each listed by its
// description exactly as given. A pattern may hold several wildcards
// separated by ";"; "*.*" offers every file, with or without a dot.
void setFileFilters(QFileDialog& dialog, const QList<QPair<QString, QString>>& filters);

}  // namespace platform
