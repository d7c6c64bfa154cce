#pragma once
#include <QString>
#include <cstdint>

class QWidget;

namespace COMDLG {

// A single-selection open-file dialog driven by its arguments. It starts in
// `initialFolder` ("/" appended) when that folder can be listed, else in the
// program folder; an empty or blank `filter` ("description|pattern|...")
// offers every file. `flags` (platform::file_dialog_flags) go to the dialog
// as given: without FileMustExist any name can be chosen. Returns the chosen
// file's full path, or "" on cancel.
QString ShowOpenFile(QWidget* owner, const QString& title, const QString& initialFolder,
                     const QString& filter = QString(), uint32_t flags = 0);

}  // namespace COMDLG
