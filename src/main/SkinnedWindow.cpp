#include "main/SkinnedWindow.h"

#include "support/NumberRules.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QWindow>
#include <vector>

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

QRgb SkinnedWindow::ApplyColorKey() {
  // Without a face there is nothing to cut: the window stays whole.
  window_->setMask(colorKeyMask(picture_.toImage()));
  return kColorKey;
}

void SkinnedWindow::DragByBackground(Qt::MouseButtons buttons) {
  if (!(buttons & Qt::LeftButton)) return;
  if (QWindow* handle = window_->windowHandle()) handle->startSystemMove();
}

void SkinnedWindow::ResetHovers() {
  if (hoverList) hoverList();
}

void SkinnedWindow::backgroundMouseMove(const QMouseEvent& event) {
  // Moves that a control let through to its window are not over the background.
  if (window_->childAt(event.position().toPoint())) return;
  DragByBackground(event.buttons());
  ResetHovers();
}

void SkinnedWindow::paint(QPainter& painter) const { painter.drawPixmap(0, 0, picture_); }

void SkinnedWindow::applyWindowGeometry() {
  window_->setGeometry(twips::toPixelsX(Left), twips::toPixelsY(Top), twips::toPixelsX(Width),
                       twips::toPixelsY(Height));
}

QRegion colorKeyMask(const QImage& skin) {
  const QImage rgb = skin.convertToFormat(QImage::Format_RGB32);
  const auto isKey = [&rgb](int x, int y) {
    return (rgb.pixel(x, y) & 0xFFFFFF) == SkinnedWindow::kColorKey;
  };
  // One rectangle per run of kept pixels in a row: rows sorted top to bottom,
  // runs left to right, never touching, as QRegion::setRects requires.
  std::vector<QRect> runs;
  for (int y = 0; y < rgb.height(); ++y) {
    int x = 0;
    while (x < rgb.width()) {
      while (x < rgb.width() && isKey(x, y)) ++x;
      const int start = x;
      while (x < rgb.width() && !isKey(x, y)) ++x;
      if (x > start) runs.emplace_back(start, y, x - start, 1);
    }
  }
  QRegion mask;
  mask.setRects(runs.data(), static_cast<int>(runs.size()));
  return mask;
}
