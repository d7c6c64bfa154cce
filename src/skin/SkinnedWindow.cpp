#include "skin/SkinnedWindow.h"

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
    : Width(widthTwips), Height(heightTwips), window_(window), layout_(layout) {
  startSystemMove = [window] {
    if (QWindow* handle = window->windowHandle()) handle->startSystemMove();
  };
}

void SkinnedWindow::ParkOffScreen() {
  Top = 0 - Height - 100;
  Left = 0 - Width - 100;
  applyWindowGeometry();
}

void SkinnedWindow::ScaleToDpi(const std::function<void()>& ownStep) {
  using twips::scaledX, twips::scaledY;
  Width = scaledX(Width);
  Height = scaledY(Height);
  if (ownStep) ownStep();
  for (ControlGeometry& c : layout_.controls()) {
    c.Left = scaledX(c.Left);
    c.Top = scaledY(c.Top);
    c.Width = scaledX(c.Width);
    c.Height = scaledY(c.Height);
    if (c.FontSize) c.FontSize = scaledX(*c.FontSize);
    for (double& column : c.ColumnWidths) column = scaledX(column);
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
  if (!(buttons & Qt::LeftButton) || !pressAwaitsMove_) return;
  pressAwaitsMove_ = false;
  startSystemMove();
}

void SkinnedWindow::ResetHovers() {
  if (hoverList) hoverList();
}

bool SkinnedWindow::isOverBackground(const QMouseEvent& event) const {
  // Events that a control let through to its window are not over the background.
  return !window_->childAt(event.position().toPoint());
}

void SkinnedWindow::backgroundMousePress(const QMouseEvent& event) {
  pressAwaitsMove_ = event.button() == Qt::LeftButton && isOverBackground(event);
}

void SkinnedWindow::backgroundMouseMove(const QMouseEvent& event) {
  if (!isOverBackground(event)) return;
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
