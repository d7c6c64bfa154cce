#include "skin/ImageButton.h"
#include "skin/LinkLabel.h"
#include "common/MouseInput.h"

#include <gtest/gtest.h>

namespace {

QPixmap filled(QColor colour, QSize size = {8, 6}) {
  QPixmap picture(size);
  picture.fill(colour);
  return picture;
}

bool shows(const QLabel* label, const QPixmap& picture) {
  return label->pixmap().toImage() == picture.toImage();
}

// A parent that counts the mouse moves its children let through.
class Parent : public QWidget {
 public:
  int moves = 0;
  Parent() { setMouseTracking(true); }

 protected:
  void mouseMoveEvent(QMouseEvent*) override { ++moves; }
};

TEST(ImageButton, LightsOnItsOwnMoveAndKeepsTheMoveFromItsWindow) {
  Parent window;
  ImageButton button(&window);
  button.setGeometry(0, 0, 20, 20);
  const QPixmap twin = filled(Qt::red);
  button.setHoverPicture(twin);
  EXPECT_TRUE(button.pixmap().isNull());
  EXPECT_EQ(button.look(), ImageButton::Look::Normal);

  mouse::move(&button);
  EXPECT_EQ(button.look(), ImageButton::Look::Lit);
  EXPECT_TRUE(shows(&button, twin));
  mouse::move(&button, Qt::LeftButton);
  EXPECT_EQ(window.moves, 0);

  button.GoDark();
  EXPECT_TRUE(button.pixmap().isNull());
}

TEST(ImageButton, ShowsItsWholePictureAsItIsAlsoWhenDisabled) {
  ImageButton button;
  button.setGeometry(0, 0, 15, 15);
  const QPixmap twin = filled(QColor(200, 40, 90), {12, 17});
  button.setHoverPicture(twin);
  button.HoverTwin();
  EXPECT_TRUE(button.rect().contains(twin.rect()));

  button.setEnabled(false);  // as the busy controls are during a batch
  const QImage shown = button.grab().toImage().copy(twin.rect());
  EXPECT_EQ(shown.convertToFormat(QImage::Format_RGB32),
            twin.toImage().convertToFormat(QImage::Format_RGB32));
}

TEST(ImageButton, ClicksOnlyWhenTheLeftButtonIsReleasedOverIt) {
  ImageButton button;
  button.resize(20, 20);
  int clicks = 0;
  QObject::connect(&button, &ImageButton::clicked, [&clicks] { ++clicks; });
  mouse::click(&button);
  EXPECT_EQ(clicks, 1);

  mouse::press(&button);
  mouse::send(&button, QEvent::MouseButtonRelease, QPoint(40, 5), Qt::LeftButton, Qt::NoButton);
  EXPECT_EQ(clicks, 1);

  mouse::send(&button, QEvent::MouseButtonPress, QPoint(5, 5), Qt::RightButton, Qt::RightButton);
  mouse::send(&button, QEvent::MouseButtonRelease, QPoint(5, 5), Qt::RightButton, Qt::NoButton);
  EXPECT_EQ(clicks, 1);
}

TEST(LinkLabel, HoverLookSwitchesTheTextColourOnAndOff) {
  LinkLabel link(QStringLiteral("Feedback"), nullptr);
  EXPECT_TRUE(link.font().underline());
  EXPECT_EQ(link.cursor().shape(), Qt::BitmapCursor);
  const QColor normal = link.palette().color(QPalette::Active, QPalette::WindowText);
  link.setHoverLook(true);
  EXPECT_TRUE(link.hasHoverLook());
  EXPECT_NE(link.palette().color(QPalette::Active, QPalette::WindowText), normal);
  link.setHoverLook(false);
  EXPECT_EQ(link.palette().color(QPalette::Active, QPalette::WindowText), normal);
}

}  // namespace
