#include "skin/ImageButton.h"

#include <QPainter>

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
  resize(size().expandedTo(picture.deviceIndependentSize().toSize()));
}

// Drawn here rather than by the label: the platform's disabled look of a
// picture is a greyed copy, which makes a lit button a grey box for the
// whole batch.
void ImageButton::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.drawPixmap(0, 0, pixmap());
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
