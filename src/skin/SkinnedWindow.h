#pragma once
#include "skin/Twips.h"

#include <QPixmap>
#include <QRegion>
#include <QRgb>
#include <functional>

class QImage;
class QMouseEvent;
class QPainter;

// The frame the three borderless, skinned windows share: created out of
// sight, rescaled so the bitmap layout keeps its pixel size at any density,
// then shown centred by a one-shot 50 ms tick with every magenta pixel of its
// skin see-through. The bare face drags the window; a move over it darkens
// the window's lit buttons. Geometry is kept in twips.
class SkinnedWindow {
 public:
  // The see-through colour of every skin, RGB(255, 0, 255).
  static constexpr QRgb kColorKey = 0xFF00FF;

  SkinnedWindow(QWidget* window, TwipsLayout& layout, double widthTwips, double heightTwips);

  // The window's outer rectangle in screen twips.
  double Left = 0, Top = 0, Width = 0, Height = 0;

  // The window's face, painted from its top-left corner at its own size.
  void setPicture(const QPixmap& picture) { picture_ = picture; }
  const QPixmap& picture() const { return picture_; }
  void paint(QPainter& painter) const;

  // The window's own list of buttons to darken, in its order.
  std::function<void()> hoverList;
  // Hands the window to the system's move until the button is released (tests
  // count the calls instead).
  std::function<void()> startSystemMove;

  void ParkOffScreen();
  // `ownStep` runs between the window's own size and the pass over the controls.
  void ScaleToDpi(const std::function<void()>& ownStep = {});
  // Makes the magenta pixels of the face holes in the window; returns the
  // colour that is now see-through.
  QRgb ApplyColorKey();
  void CenterOnScreen();
  // Lets the system move the window while the left button is held, once per
  // press on the bare face: the system owns the move until the release, which
  // the window may never see, so the button can still read as held afterwards.
  void DragByBackground(Qt::MouseButtons buttons);
  void ResetHovers();

  // The window's mouse-press handler: a left press on the bare face lets the
  // next move with the button held start the system's move.
  void backgroundMousePress(const QMouseEvent& event);
  // The window's mouse-move handler: a move over the bare face (no control
  // under the pointer) runs DragByBackground, then ResetHovers.
  void backgroundMouseMove(const QMouseEvent& event);

  // Moves and sizes the window from its twips values.
  void applyWindowGeometry();

  // Where a window of `windowTwips` starts when centred on `screenTwips`:
  // half the difference, rounded half to even.
  static double centeredPosition(double screenTwips, double windowTwips);

 private:
  bool isOverBackground(const QMouseEvent& event) const;

  QWidget* window_;
  TwipsLayout& layout_;
  QPixmap picture_;
  bool pressAwaitsMove_ = false;
};

// Every pixel of `skin` except those of exactly the key colour (alpha is not
// looked at).
QRegion colorKeyMask(const QImage& skin);
