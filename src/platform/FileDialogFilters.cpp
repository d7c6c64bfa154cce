#include "platform/FileDialogFilters.h"

#include <QFileDialog>
#include <QStringList>

namespace platform {
namespace {

// Qt's wildcards for one pattern. Qt reads "*.*" literally, which would hide
// every name without a dot.
QStringList wildcards(const QString& pattern) {
  QStringList result;
  for (const QString& piece : pattern.split(u';', Qt::SkipEmptyParts)) {
    const QString wildcard = piece.trimmed();
    if (!wildcard.isEmpty()) result.append(wildcard == u"*.*" ? QStringLiteral("*") : wildcard);
  }
  return result;
}

}  // namespace

void setFileFilters(QFileDialog& dialog, const QList<QPair<QString, QString>>& filters) {
  if (filters.isEmpty()) return;
  QStringList nameFilters;
  for (const auto& [description, pattern] : filters)
    nameFilters.append(description + QStringLiteral(" (") + wildcards(pattern).join(u' ') + u')');
  // Qt would show each description followed by its wildcards; the
  // descriptions say what they offer, often with the pattern already in them.
  dialog.setOption(QFileDialog::HideNameFilterDetails);
  dialog.setNameFilters(nameFilters);
}

}  // namespace platform
