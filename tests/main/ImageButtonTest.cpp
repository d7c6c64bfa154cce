#include "main/ImageButton.h"
#include "main/LinkLabel.h"
#include "common/MouseInput.h"

#include <gtest/gtest.h>

namespace {

QPixmap filled(QColor colour) {
  QPixmap picture(8, 6);
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

TEST(ImageButton, PressedLookDependsOnTheButton) {
  const QPixmap twin = filled(Qt::red), dark = filled(Qt::blue);
  struct Case {
    const char* name;
    std::optional<QPixmap> pressed;
    ImageButton::Look lookWhilePressed;
    QPixmap shown;
  } cases[] = {
      {"no press handler: stays lit", std::nullopt, ImageButton::Look::Lit, twin},
      {"goes dark", QPixmap(), ImageButton::Look::Pressed, QPixmap()},
      {"own pressed picture", dark, ImageButton::Look::Pressed, dark},
  };
  for (const Case& c : cases) {
    ImageButton button;
    button.resize(20, 20);
    button.setHoverPicture(twin);
    if (c.pressed) button.setPressedPicture(*c.pressed);
    mouse::move(&button);
    mouse::press(&button);
    EXPECT_EQ(button.look(), c.lookWhilePressed) << c.name;
    EXPECT_EQ(button.pixmap().toImage(), c.shown.toImage()) << c.name;
    // The next move over it lights it again.
    mouse::move(&button, Qt::LeftButton);
    EXPECT_EQ(button.look(), ImageButton::Look::Lit) << c.name;
  }
}

TEST(ImageButton, ArrowBoxKeepsItsArrowAsTheNormalLook) {
  ImageButton box;
  box.resize(19, 19);
  const QPixmap arrow = filled(Qt::gray), lit = filled(Qt::cyan);
  box.setNormalPicture(arrow);
  box.setHoverPicture(lit);
  EXPECT_TRUE(shows(&box, arrow));
  mouse::move(&box);
  EXPECT_TRUE(shows(&box, lit));
  box.GoDark();
  EXPECT_TRUE(shows(&box, arrow));
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

struct Array {
  std::vector<ImageButton*> elements;
  std::vector<QPixmap> twins;
  QWidget window;
  explicit Array(bool darkenAllOnPress) {
    for (int i = 0; i < 4; ++i) {
      auto* element = new ImageButton(&window);
      element->setGeometry(30 * i, 0, 20, 20);
      twins.push_back(filled(QColor::fromHsv(60 * i, 255, 255)));
      element->setHoverPicture(twins.back());
      elements.push_back(element);
    }
    makeImageButtonArray(elements, darkenAllOnPress);
  }
  std::vector<bool> lit() const {
    std::vector<bool> result;
    for (const ImageButton* e : elements) result.push_back(e->look() == ImageButton::Look::Lit);
    return result;
  }
};

TEST(ImageButtonArray, LightsOneElementAtATime) {
  Array toolbar(true);
  mouse::move(toolbar.elements[1]);
  mouse::move(toolbar.elements[3]);
  EXPECT_EQ(toolbar.lit(), (std::vector<bool>{false, false, false, true}));
  EXPECT_TRUE(shows(toolbar.elements[3], toolbar.twins[3]));
  EXPECT_TRUE(toolbar.elements[1]->pixmap().isNull());
}

TEST(ImageButtonArray, PressDarkensTheWholeArrayAndTheNextMoveLightsAgain) {
  Array toolbar(true);
  mouse::move(toolbar.elements[3]);
  mouse::press(toolbar.elements[3]);
  EXPECT_EQ(toolbar.lit(), (std::vector<bool>{false, false, false, false}));
  EXPECT_TRUE(toolbar.elements[3]->pixmap().isNull());
  mouse::move(toolbar.elements[3], Qt::LeftButton);
  EXPECT_EQ(toolbar.lit(), (std::vector<bool>{false, false, false, true}));
}

TEST(ImageButtonArray, WithoutPressHandlerThePressedElementStaysLit) {
  Array menu(false);
  mouse::move(menu.elements[2]);
  mouse::press(menu.elements[2]);
  EXPECT_EQ(menu.lit(), (std::vector<bool>{false, false, true, false}));
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
