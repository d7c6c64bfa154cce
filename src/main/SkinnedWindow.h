#pragma once
#include "main/Twips.h"

#include <QTimer>
#include <functional>

// The frame the three borderless, skinned windows share: created out of
// sight, rescaled so the bitmap layout keeps its pixel size at any density,
// then shown centred by a one-shot 50 ms tick. Geometry is kept in twips.
class SkinnedWindow {
 public:
  SkinnedWindow(QWidget* window, TwipsLayout& layout, double widthTwips, double heightTwips);

  // The window's outer rectangle in screen twips.
  double Left = 0, Top = 0, Width = 0, Height = 0;

  void ParkOffScreen();
  // `ownStep` runs between the window's own size and the pass over the controls.
  void ScaleToDpi(const std::function<void()>& ownStep = {});
  void CenterOnScreen();

  // Moves and sizes the window from its twips values.
  void applyWindowGeometry();

  // Where a window of `windowTwips` starts when centred on `screenTwips`:
  // half the difference, rounded half to even.
  static double centeredPosition(double screenTwips, double windowTwips);

 private:
  QWidget* window_;
  TwipsLayout& layout_;
};
