#include "platform/DialogSetup.h"

#include "platform/FileDialogFilters.h"

#include <QColorDialog>
#include <QDialogButtonBox>
#include <QPushButton>

namespace platform {

void prepareFileDialog(QFileDialog& dialog, const FileDialogRequest& request,
                       QFileDialog::AcceptMode mode) {
  setFileFilters(dialog, request.filters);
  dialog.setAcceptMode(mode);
  dialog.setFileMode(request.flags & file_dialog_flags::FileMustExist ? QFileDialog::ExistingFile
                                                                      : QFileDialog::AnyFile);
  dialog.setOption(QFileDialog::DontConfirmOverwrite,
                   !(request.flags & file_dialog_flags::OverwritePrompt));
  if (!request.defaultSuffix.isEmpty()) dialog.setDefaultSuffix(request.defaultSuffix);
  if (!request.fileName.isEmpty()) dialog.selectFile(request.fileName);
}

void prepareColorDialog(QColorDialog& dialog, const ColorDialogRequest& request) {
  // The custom colours are the dialog's shared table in Qt, kept from one
  // dialog to the next: each dialog starts from the table it is given.
  for (int i = 0; i < QColorDialog::customCount(); ++i)
    QColorDialog::setCustomColor(i, request.customColors.value(i, Qt::black));
  // Qt's own dialog, since only it can start without its picker.
  dialog.setOption(QColorDialog::DontUseNativeDialog);
  dialog.setCurrentColor(request.initial);
  if (request.expanded) return;

  // The picker is the hue field, the luminance bar and the value boxes.
  QList<QWidget*> picker;
  for (QWidget* part : dialog.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    const QByteArray kind = part->metaObject()->className();
    if (kind == "QColorPicker" || kind == "QColorLuminancePicker" || kind == "QColorShower")
      picker.append(part);
  }
  auto* buttons = dialog.findChild<QDialogButtonBox*>();
  if (picker.isEmpty() || !buttons) return;
  for (QWidget* part : picker) part->hide();
  QPushButton* define =
      buttons->addButton(QStringLiteral("&Define Custom Colors >>"), QDialogButtonBox::ActionRole);
  define->setObjectName(QStringLiteral("defineCustomColors"));
  QObject::connect(define, &QPushButton::clicked, define, [picker, define] {
    for (QWidget* part : picker) part->show();
    define->setEnabled(false);
  });
}

}  // namespace platform
