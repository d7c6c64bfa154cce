#include "skin/LinkLabel.h"

#include "skin/SkinResources.h"

namespace {
const QColor kNormalColor(Qt::black);
const QColor kHoverColor(0x1f, 0x7a, 0xd4);  // the skin's accent blue

// A disabled link keeps the platform's grey.
void setTextColor(QLabel* label, const QColor& color) {
  QPalette palette = label->palette();
  palette.setColor(QPalette::Active, QPalette::WindowText, color);
  palette.setColor(QPalette::Inactive, QPalette::WindowText, color);
  label->setPalette(palette);
}
}  // namespace

LinkLabel::LinkLabel(const QString& text, QWidget* parent) : ClickableLabel(parent) {
  setText(text);
  QFont underlined = font();
  underlined.setUnderline(true);
  setFont(underlined);
  setCursor(artwork::handCursor());
  setTextColor(this, kNormalColor);
}

void LinkLabel::setHoverLook(bool on) {
  hoverLook_ = on;
  setTextColor(this, on ? kHoverColor : kNormalColor);
}
