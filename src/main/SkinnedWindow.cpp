#include "main/SkinnedWindow.h"

#include "support/NumberRules.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>

SkinnedWindow::SkinnedWindow(QWidget* window, TwipsLayout& layout, double widthTwips,
                             double heightTwips)
    : Width(widthTwips), Height(heightTwips), window_(window), layout_(layout) {}

void SkinnedWindow::ParkOffScreen() {
  Top = 0 - Height - 100;
  Left = 0 - Width - 100;
  applyWindowGeometry();
}

void SkinnedWindow::ScaleToDpi(const std::function<void()>& ownStep) {
  // Single precision, as the designed values are; product first, then / 15.
  const auto scaled = [](double value, double perPixel) {
    return static_cast<double>(static_cast<float>(value * perPixel / 15.0));
  };
  const double x = twips::perPixelX();
  const double y = twips::perPixelY();
  Width = scaled(Width, x);
  Height = scaled(Height, y);
  if (ownStep) ownStep();
  for (ControlGeometry& c : layout_.controls()) {
    c.Left = scaled(c.Left, x);
    c.Top = scaled(c.Top, y);
    c.Width = scaled(c.Width, x);
    c.Height = scaled(c.Height, y);
    if (c.FontSize) c.FontSize = scaled(*c.FontSize, x);
  }
  applyWindowGeometry();
  layout_.applyAll();
}

double SkinnedWindow::centeredPosition(double screenTwips, double windowTwips) {
  return numbers::roundHalfEven((screenTwips - windowTwips) / 2);
}

void SkinnedWindow::CenterOnScreen() {
  const QScreen* screen = window_->screen() ? window_->screen() : QGuiApplication::primaryScreen();
  const QRect area = screen ? screen->geometry() : QRect(0, 0, 1024, 768);
  Left = centeredPosition(area.width() * twips::perPixelX(), Width);
  Top = centeredPosition(area.height() * twips::perPixelY(), Height);
  applyWindowGeometry();
  QCoreApplication::processEvents();
}

void SkinnedWindow::applyWindowGeometry() {
  window_->setGeometry(twips::toPixelsX(Left), twips::toPixelsY(Top), twips::toPixelsX(Width),
                       twips::toPixelsY(Height));
}
