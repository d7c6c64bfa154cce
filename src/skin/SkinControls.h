#pragma once
#include <QString>

class ImageButton;
class QComboBox;
class QWidget;

// An image button over a painted button: no picture of its own, the hover
// twin from the artwork (none when `twin` is empty), its tooltip and, where
// the design says so, the hand cursor.
ImageButton* createImageButton(QWidget* parent, const QString& twin, const QString& tooltip,
                               bool handCursor);

// A drop-down arrow box for `list`, to lie over the list's own arrow: the
// normal arrow, the lit arrow on hover; a click drops the list down.
ImageButton* createArrowBox(QComboBox* list, const QString& tooltip);
