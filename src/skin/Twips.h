#pragma once
#include <QRect>
#include <QWidget>
#include <optional>
#include <vector>

// Windows keep their controls' geometry in twips as designed; the widgets
// follow in pixels. 1440 twips make an inch, 15 a pixel at 96 DPI.
namespace twips {

double perPixelX();
double perPixelY();
// Tests set the density; 0 returns to the screen's own.
void setPerPixel(double x, double y);

int toPixelsX(double twips);
int toPixelsY(double twips);

// A length designed at 15 twips per pixel, rescaled to the screen's density
// so that it keeps its pixels: the product first, then / 15, kept in single
// precision as the designed values are.
double scaledX(double designTwips);
double scaledY(double designTwips);

}  // namespace twips

// One control's geometry in twips, relative to its container.
struct ControlGeometry {
  QWidget* widget = nullptr;
  double Left = 0, Top = 0, Width = 0, Height = 0;
  std::optional<double> FontSize;  // points; absent for controls without text
  std::vector<double> ColumnWidths;  // a list view's columns, scaled as its Width is

  // Moves and sizes the widget (and sets its font size and column widths)
  // from the twips values.
  void apply() const;
};

// The controls of one window in the order the window holds them.
class TwipsLayout {
 public:
  ControlGeometry& add(QWidget* widget, double left, double top, double width, double height,
                       std::optional<double> fontSize = std::nullopt);
  ControlGeometry& operator[](const QWidget* widget);
  const ControlGeometry* find(const QWidget* widget) const;
  std::vector<ControlGeometry>& controls() { return controls_; }
  void applyAll() const;

 private:
  std::vector<ControlGeometry> controls_;
};
