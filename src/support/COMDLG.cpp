#include "support/COMDLG.h"

#include "platform/Modal.h"
#include "support/FileDialogRules.h"

namespace COMDLG {

QString ShowOpenFile(QWidget* owner, const QString& title, const QString& initialFolder,
                     const QString& filter, uint32_t flags) {
  platform::FileDialogRequest request;
  request.title = title;
  request.folder = dialogs::startFolder(initialFolder);
  request.filters = dialogs::filterPairsOrAllFiles(filter);
  request.flags = flags;
  return platform::modal().openFile(owner, request).value_or(QString());
}

}  // namespace COMDLG
