#pragma once
#include "skin/ClickableLabel.h"

// A text label that acts as a link: underlined, with the hand cursor. Its
// hover look, where it has one, shows the text in the accent colour.
class LinkLabel : public ClickableLabel {
  Q_OBJECT
 public:
  LinkLabel(const QString& text, QWidget* parent);

  void setHoverLook(bool on);
  bool hasHoverLook() const { return hoverLook_; }

 private:
  bool hoverLook_ = false;
};
