#pragma once
#include "platform/Modal.h"

#include <QFileDialog>

class QColorDialog;

namespace platform {

// Qt's file dialog, made with the request's caption and folder, as the rest
// of the request asks: its filters, preset name and suffix, and what its
// flags make of it (whether only an existing file can be chosen, whether a
// save asks before it replaces a file).
void prepareFileDialog(QFileDialog& dialog, const FileDialogRequest& request,
                       QFileDialog::AcceptMode mode);

// Qt's colour dialog as the request asks: the custom colours it offers, and
// its picker shown at once when expanded, else behind a button that shows it.
void prepareColorDialog(QColorDialog& dialog, const ColorDialogRequest& request);

}  // namespace platform
