#include "main/PictureBox.h"

PictureBox::PictureBox(QWidget* parent) : QLabel(parent) {
  setMouseTracking(true);
  setScaledContents(true);
}

// Taken here and not passed on: a move over the picture is no move over the
// window's background.
void PictureBox::mouseMoveEvent(QMouseEvent*) { emit mouseMoved(); }
