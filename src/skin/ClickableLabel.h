#pragma once
#include <QLabel>

// A label that acts like a button: it reports presses, clicks (a left press
// released over it) and every mouse move over it. It takes its mouse moves
// itself, so a move over it never counts as a move over the window's
// background.
class ClickableLabel : public QLabel {
  Q_OBJECT
 public:
  explicit ClickableLabel(QWidget* parent = nullptr);

 signals:
  void clicked();
  void mouseDown();
  void mouseMoved();

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;

 private:
  bool pressed_ = false;
};
