#include "skin/Twips.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QScreen>
#include <QTreeView>
#include <cmath>
#include <stdexcept>

namespace twips {
namespace {
double forcedX = 0;
double forcedY = 0;

double screenPerPixel(bool horizontal) {
  const QScreen* screen = QGuiApplication::primaryScreen();
  const double dpi = screen ? (horizontal ? screen->logicalDotsPerInchX()
                                          : screen->logicalDotsPerInchY())
                            : 96.0;
  return dpi > 0 ? 1440.0 / dpi : 15.0;
}
}  // namespace

double perPixelX() { return forcedX > 0 ? forcedX : screenPerPixel(true); }
double perPixelY() { return forcedY > 0 ? forcedY : screenPerPixel(false); }

void setPerPixel(double x, double y) {
  forcedX = x;
  forcedY = y;
}

namespace {
double scaled(double value, double perPixel) {
  return static_cast<double>(static_cast<float>(value * perPixel / 15.0));
}
}  // namespace

double scaledX(double designTwips) { return scaled(designTwips, perPixelX()); }
double scaledY(double designTwips) { return scaled(designTwips, perPixelY()); }

int toPixelsX(double value) { return static_cast<int>(std::lround(value / perPixelX())); }
int toPixelsY(double value) { return static_cast<int>(std::lround(value / perPixelY())); }

}  // namespace twips

namespace {
// Under the skin's style sheet a control's font does not reach the parts
// that draw apart from it: a list view's header draws on a viewport of its
// own, a drop-down list's popup is a window of its own.
std::vector<QWidget*> partsShowingText(QWidget* widget) {
  std::vector<QWidget*> parts{widget};
  if (auto* list = qobject_cast<QTreeView*>(widget)) {
    parts.push_back(list->header());
    parts.push_back(list->header()->viewport());
  }
  if (auto* list = qobject_cast<QComboBox*>(widget)) parts.push_back(list->view());
  return parts;
}
}  // namespace

void ControlGeometry::apply() const {
  if (!widget) return;
  widget->setGeometry(twips::toPixelsX(Left), twips::toPixelsY(Top),
                      std::max(0, twips::toPixelsX(Width)), std::max(0, twips::toPixelsY(Height)));
  if (FontSize && *FontSize > 0) {
    QFont font = widget->font();
    font.setPointSizeF(*FontSize);
    for (QWidget* part : partsShowingText(widget)) part->setFont(font);
  }
  if (auto* list = qobject_cast<QTreeView*>(widget))
    for (int column = 0; column < static_cast<int>(ColumnWidths.size()); ++column)
      list->setColumnWidth(column, twips::toPixelsX(ColumnWidths[column]));
}

ControlGeometry& TwipsLayout::add(QWidget* widget, double left, double top, double width,
                                  double height, std::optional<double> fontSize) {
  controls_.push_back({widget, left, top, width, height, fontSize, {}});
  return controls_.back();
}

const ControlGeometry* TwipsLayout::find(const QWidget* widget) const {
  for (const ControlGeometry& c : controls_)
    if (c.widget == widget) return &c;
  return nullptr;
}

ControlGeometry& TwipsLayout::operator[](const QWidget* widget) {
  for (ControlGeometry& c : controls_)
    if (c.widget == widget) return c;
  throw std::out_of_range("control not in layout");
}

void TwipsLayout::applyAll() const {
  for (const ControlGeometry& c : controls_) c.apply();
}
