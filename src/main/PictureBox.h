#pragma once
#include <QLabel>

// A picture that reports the mouse moving over it.
class PictureBox : public QLabel {
  Q_OBJECT
 public:
  explicit PictureBox(QWidget* parent = nullptr);

 signals:
  void mouseMoved();

 protected:
  void mouseMoveEvent(QMouseEvent* event) override;
};
