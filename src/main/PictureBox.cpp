#include "main/PictureBox.h"

PictureBox::PictureBox(QWidget* parent) : QLabel(parent) {
  setMouseTracking(true);
  setScaledContents(true);
}

void PictureBox::mouseMoveEvent(QMouseEvent* event) {
  emit mouseMoved();
  QLabel::mouseMoveEvent(event);
}
