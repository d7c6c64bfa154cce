#include "skin/SkinnedDialog.h"
#include "skin/SkinnedWindow.h"
#include "skin/Twips.h"
#include "common/MouseInput.h"
#include "common/Density.h"

#include <QImage>
#include <QLabel>
#include <gtest/gtest.h>
#include <random>

namespace {

// A window 10440 x 7425 twips with an image (no font size) and a label.
struct Window {
  QWidget widget;
  TwipsLayout layout;
  QLabel* image = new QLabel(&widget);
  QLabel* label = new QLabel(&widget);
  SkinnedWindow skin{&widget, layout, 10440, 7425};

  Window() {
    layout.add(image, 9520, 120, 225, 225);
    layout.add(label, 3210, 6710, 2355, 195, 7.5);
  }
  const ControlGeometry& geometry(QWidget* w) { return layout[w]; }
};

TEST(ScaleToDpi, ChangesNothingAtFifteenTwipsPerPixel) {
  Density density(15, 15);
  Window w;
  w.skin.ScaleToDpi();
  EXPECT_EQ(w.skin.Width, 10440);
  EXPECT_EQ(w.skin.Height, 7425);
  const ControlGeometry& image = w.geometry(w.image);
  EXPECT_EQ(std::tie(image.Left, image.Top, image.Width, image.Height),
            std::make_tuple(9520.0, 120.0, 225.0, 225.0));
  EXPECT_EQ(w.geometry(w.label).FontSize, 7.5);
  EXPECT_EQ(w.widget.size(), QSize(696, 495));
}

TEST(ScaleToDpi, AtTwelveShrinksEveryValueAndKeepsThePixels) {
  Density density(12, 12);
  Window w;
  w.skin.ScaleToDpi();
  EXPECT_EQ(w.skin.Width, 8352);
  EXPECT_EQ(w.skin.Height, 5940);
  EXPECT_EQ(w.widget.size(), QSize(696, 495));
  // An image has no font size; its geometry is scaled all the same.
  const ControlGeometry& image = w.geometry(w.image);
  EXPECT_EQ(std::tie(image.Left, image.Top, image.Width, image.Height),
            std::make_tuple(7616.0, 96.0, 180.0, 180.0));
  EXPECT_FALSE(image.FontSize);
  EXPECT_EQ(w.image->geometry(), QRect(635, 8, 15, 15));
  EXPECT_FLOAT_EQ(*w.geometry(w.label).FontSize, 6.0f);
}

TEST(ScaleToDpi, FontsFollowTheHorizontalDensity) {
  Density density(12, 15);
  Window w;
  w.skin.ScaleToDpi();
  EXPECT_EQ(w.skin.Height, 7425);
  EXPECT_EQ(w.geometry(w.label).Height, 195);
  EXPECT_FLOAT_EQ(*w.geometry(w.label).FontSize, 6.0f);
}

TEST(CenterOnScreen, HalvesTheDifferenceRoundingHalfToEven) {
  struct Case {
    double screen, window, expected;
  } cases[] = {
      {15360, 10440, 2460},  // Left of the main window on a 1024 x 768 screen
      {11520, 7425, 2048},   // 2047.5
      {15360, 10455, 2452},  // 2452.5
      {15360, 15360, 0},
      {9000, 10440, -720},   // larger than the screen: overhangs both edges
  };
  for (const Case& c : cases)
    EXPECT_EQ(SkinnedWindow::centeredPosition(c.screen, c.window), c.expected)
        << c.screen << " - " << c.window;
}

bool isKey(QRgb pixel) { return (pixel & 0xFFFFFF) == SkinnedWindow::kColorKey; }

TEST(ColorKeyMask, HasAHoleAtEveryMagentaPixelAndNowhereElse) {
  QImage skin(61, 37, QImage::Format_RGB32);
  std::mt19937 random(4);
  // Magenta, its near neighbours (which must stay), and ordinary colours.
  const QRgb colours[] = {qRgb(255, 0, 255), qRgb(254, 0, 255), qRgb(255, 1, 255),
                          qRgb(255, 0, 254), qRgb(0, 0, 0),     qRgb(255, 255, 255)};
  for (int y = 0; y < skin.height(); ++y)
    for (int x = 0; x < skin.width(); ++x) skin.setPixel(x, y, colours[random() % 6]);
  skin.setPixel(0, 0, qRgb(255, 0, 255));
  skin.setPixel(60, 36, qRgb(255, 0, 255));

  const QRegion mask = colorKeyMask(skin);
  for (int y = 0; y < skin.height(); ++y)
    for (int x = 0; x < skin.width(); ++x)
      ASSERT_EQ(mask.contains(QPoint(x, y)), !isKey(skin.pixel(x, y))) << x << "," << y;
  EXPECT_FALSE(mask.contains(QPoint(61, 10)));  // nothing beyond the picture
}

TEST(ColorKeyMask, LooksAtTheColourOnlyNotTheAlpha) {
  QImage skin(2, 1, QImage::Format_ARGB32);
  skin.setPixel(0, 0, qRgba(255, 0, 255, 128));
  skin.setPixel(1, 0, qRgba(10, 20, 30, 0));
  const QRegion mask = colorKeyMask(skin);
  EXPECT_FALSE(mask.contains(QPoint(0, 0)));
  EXPECT_TRUE(mask.contains(QPoint(1, 0)));
}

// A window whose background moves go to its frame, as the real windows' do.
class FramedWidget : public QWidget {
 public:
  TwipsLayout layout;
  SkinnedWindow skin{this, layout, 3000, 3000};
  QLabel* control = new QLabel(this);
  int resets = 0;
  FramedWidget() {
    setMouseTracking(true);
    control->setGeometry(10, 10, 50, 50);
    skin.hoverList = [this] { ++resets; };
  }

 protected:
  void mouseMoveEvent(QMouseEvent* event) override { skin.backgroundMouseMove(*event); }
};

TEST(BackgroundMouseMove, ResetsHoversOnlyOverTheBareFace) {
  FramedWidget w;
  mouse::move(&w, Qt::NoButton, QPoint(100, 100));
  EXPECT_EQ(w.resets, 1);
  // With the left button held the hovers reset as well.
  mouse::move(&w, Qt::LeftButton, QPoint(120, 100));
  EXPECT_EQ(w.resets, 2);
  // A control that lets a move through to its window is not the background.
  mouse::move(w.control, Qt::LeftButton, QPoint(5, 5));
  mouse::move(w.control, Qt::NoButton, QPoint(5, 5));
  EXPECT_EQ(w.resets, 2);
}

TEST(DragByBackground, StartsOneSystemMovePerPressOnTheBareFace) {
  Density density;
  SkinnedDialog dialog(QStringLiteral("options.png"), 4950, 2700);
  dialog.skin.applyWindowGeometry();
  auto* control = new QLabel(&dialog);
  control->setGeometry(10, 10, 50, 50);
  int moves = 0;
  dialog.skin.startSystemMove = [&moves] { ++moves; };
  const QPoint face(200, 100);

  // After a move the system owned, the button may still be reported held.
  mouse::move(&dialog, Qt::LeftButton, face);
  EXPECT_EQ(moves, 0);

  mouse::press(&dialog, face);
  mouse::move(&dialog, Qt::LeftButton, face + QPoint(5, 0));
  mouse::move(&dialog, Qt::LeftButton, face + QPoint(9, 0));
  EXPECT_EQ(moves, 1);
  mouse::press(&dialog, face);
  mouse::move(&dialog, Qt::LeftButton, face);
  EXPECT_EQ(moves, 2);

  // A press on a control moves nothing, even once the pointer reaches the face.
  mouse::press(control);
  mouse::move(&dialog, Qt::LeftButton, face);
  EXPECT_EQ(moves, 2);
}

}  // namespace
