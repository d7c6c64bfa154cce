#include "main/ImageButton.h"

ImageButton::ImageButton(QWidget* parent) : ClickableLabel(parent) {
  setAlignment(Qt::AlignLeft | Qt::AlignTop);
  // Connected first, so an array's own handlers run after the button's.
  connect(this, &ClickableLabel::mouseMoved, this, [this] {
    if (lightsItself_ && !hover_.isNull()) HoverTwin();
  });
  connect(this, &ClickableLabel::mouseDown, this, [this] {
    if (pressedLook_) display(Look::Pressed, *pressedLook_);
  });
}

void ImageButton::setNormalPicture(const QPixmap& picture) {
  normal_ = picture;
  if (look_ == Look::Normal) display(Look::Normal, normal_);
}

void ImageButton::HoverTwin() { display(Look::Lit, hover_); }

void ImageButton::GoDark() { display(Look::Normal, normal_); }

void ImageButton::display(Look look, const QPixmap& picture) {
  look_ = look;
  setPixmap(picture);
}

void makeImageButtonArray(const std::vector<ImageButton*>& elements, bool darkenAllOnPress) {
  const auto darkenAll = [elements] {
    for (ImageButton* element : elements) element->GoDark();
  };
  for (ImageButton* element : elements) {
    element->setLightsItself(false);
    QObject::connect(element, &ImageButton::mouseMoved, element, [darkenAll, element] {
      darkenAll();
      element->HoverTwin();
    });
    if (darkenAllOnPress) QObject::connect(element, &ImageButton::mouseDown, element, darkenAll);
  }
}
