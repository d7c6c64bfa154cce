#include "main/PathBox.h"

#include <QScopedValueRollback>

PathBox::PathBox(const QString& text, QWidget* parent) : QLineEdit(text, parent) {
  home(false);
  // Only the box's own input moves the cursor while it handles an event;
  // any other move comes from the program setting the text.
  connect(this, &QLineEdit::cursorPositionChanged, this, [this] {
    if (!handlingUserInput_) home(false);
  });
}

bool PathBox::event(QEvent* event) {
  const QScopedValueRollback handling(handlingUserInput_, true);
  return QLineEdit::event(event);
}
