#include "main/ImageButton.h"

#include <QMouseEvent>

ImageButton::ImageButton(QWidget* parent) : QLabel(parent) {
  setMouseTracking(true);
  setScaledContents(true);
}

void ImageButton::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  pressed_ = true;
  emit mouseDown();
}

void ImageButton::mouseReleaseEvent(QMouseEvent* event) {
  const bool click = pressed_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
  pressed_ = false;
  if (click) emit clicked();
}

void ImageButton::mouseMoveEvent(QMouseEvent* event) {
  emit mouseMoved();
  QLabel::mouseMoveEvent(event);
}
