#include "skin/SkinControls.h"

#include "skin/ImageButton.h"
#include "skin/SkinResources.h"

#include <QComboBox>

ImageButton* createImageButton(QWidget* parent, const QString& twin, const QString& tooltip,
                               bool handCursor) {
  auto* button = new ImageButton(parent);
  if (!twin.isEmpty()) button->setHoverPicture(artwork::picture(twin));
  button->setToolTip(tooltip);
  if (handCursor) button->setCursor(artwork::handCursor());
  return button;
}

ImageButton* createArrowBox(QComboBox* list, const QString& tooltip) {
  auto* box = createImageButton(list->parentWidget(), QStringLiteral("arrow_light.png"), tooltip,
                                false);
  box->setNormalPicture(artwork::picture(QStringLiteral("arrow.png")));
  QObject::connect(box, &ImageButton::clicked, list, &QComboBox::showPopup);
  return box;
}
