#pragma once
#include "skin/SkinnedWindow.h"
#include "skin/Twips.h"

#include <QDialog>
#include <QTimer>

class ImageButton;

// The frame of the options and feedback windows: a frameless modal window
// whose face is its skin picture. Each opening is a new instance: loading
// parks it out of sight and rescales it, and its one-shot Timer1 shows it
// centred with its magenta pixels see-through.
class SkinnedDialog : public QDialog {
  Q_OBJECT
 public:
  // `face`: the skin picture's file name; the size is the client area in twips.
  SkinnedDialog(const QString& face, double widthTwips, double heightTwips,
                QWidget* parent = nullptr);

  TwipsLayout layout;
  SkinnedWindow skin;
  QTimer* Timer1 = nullptr;  // 50 ms, one shot: shows the window where the user sees it

  void Timer1_Timer();

 protected:
  // The frame's steps of loading, before the window fills its fields.
  void loadFrame();
  // The last step of loading: repaint, then arm Timer1.
  void armShowTimer();

  // An image button placed at its twips geometry, with the hand cursor.
  ImageButton* addImageButton(double left, double top, double width, double height,
                              const QString& twin, const QString& tooltip);

  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
};
