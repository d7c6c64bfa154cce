#include "skin/SkinnedDialog.h"

#include "skin/ImageButton.h"
#include "skin/SkinControls.h"
#include "skin/SkinResources.h"
#include "skin/SkinStyle.h"

#include <QMouseEvent>
#include <QPainter>

SkinnedDialog::SkinnedDialog(const QString& face, double widthTwips, double heightTwips,
                             QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint),
      skin(this, layout, widthTwips, heightTwips) {
  setMouseTracking(true);
  setStyleSheet(skinnedControlsStyleSheet());
  skin.setPicture(artwork::picture(face));

  Timer1 = new QTimer(this);
  Timer1->setInterval(50);
  connect(Timer1, &QTimer::timeout, this, &SkinnedDialog::Timer1_Timer);
}

void SkinnedDialog::Timer1_Timer() {
  Timer1->stop();
  skin.ApplyColorKey();
  skin.CenterOnScreen();
}

void SkinnedDialog::loadFrame() {
  skin.ParkOffScreen();
  skin.ScaleToDpi();
}

void SkinnedDialog::armShowTimer() {
  update();
  Timer1->start();
}

ImageButton* SkinnedDialog::addImageButton(double left, double top, double width, double height,
                                           const QString& twin, const QString& tooltip) {
  ImageButton* button = createImageButton(this, twin, tooltip, true);
  layout.add(button, left, top, width, height);
  return button;
}

void SkinnedDialog::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  skin.paint(painter);
}

void SkinnedDialog::mousePressEvent(QMouseEvent* event) { skin.backgroundMousePress(*event); }

void SkinnedDialog::mouseMoveEvent(QMouseEvent* event) { skin.backgroundMouseMove(*event); }
