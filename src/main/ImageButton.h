#pragma once
#include <QLabel>

// A control lying over a place where the skin paints a button: it shows a
// picture of its own only while lit or pressed, and reports clicks, presses
// and moves of the mouse over it.
class ImageButton : public QLabel {
  Q_OBJECT
 public:
  explicit ImageButton(QWidget* parent = nullptr);

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
