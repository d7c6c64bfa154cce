#pragma once
#include "skin/ClickableLabel.h"

#include <QPixmap>
#include <optional>
#include <vector>

// A control lying over a place where the skin paints a button. Its normal
// look is usually no picture at all, so the painted face shows through; a
// mouse move over it shows its hover twin, which stays until the window
// darkens it again; a press shows the pressed look where the button has one.
// Pictures are shown whole, at their own size from the top-left corner, the
// way the artwork lays them over the painted face: a picture larger than the
// control grows the control. A disabled button shows its picture as it is.
class ImageButton : public ClickableLabel {
  Q_OBJECT
 public:
  enum class Look { Normal, Lit, Pressed };

  explicit ImageButton(QWidget* parent = nullptr);

  // The picture of the normal look; none by default. The drop-down arrow
  // boxes are the buttons that have one.
  void setNormalPicture(const QPixmap& picture);
  // The hover twin. A button with one lights itself on its own mouse moves,
  // unless it is an element of an array, which its array lights.
  void setHoverPicture(const QPixmap& twin) { hover_ = twin; }
  // Only buttons with a press handler have a pressed look; a null picture
  // makes the button go dark while pressed.
  void setPressedPicture(const QPixmap& picture) { pressedLook_ = picture; }
  void setLightsItself(bool on) { lightsItself_ = on; }

  void HoverTwin();
  // Back to the normal look ("goes dark").
  void GoDark();
  Look look() const { return look_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void display(Look look, const QPixmap& picture);

  QPixmap normal_;
  QPixmap hover_;
  std::optional<QPixmap> pressedLook_;
  bool lightsItself_ = true;
  Look look_ = Look::Normal;
};

// An array of image buttons (the toolbar, the menu line) lights one element
// at a time: a move over an element darkens every element, then lights that
// one. With `darkenAllOnPress`, a press on any element darkens them all.
void makeImageButtonArray(const std::vector<ImageButton*>& elements, bool darkenAllOnPress);
